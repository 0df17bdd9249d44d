#include "core/pattern.h"

#include "core/decimal_text.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace wirevane {

namespace {

using CharClass = Pattern::CharClass;
using Instruction = Pattern::Instruction;
using Op = Pattern::Op;
using Range = Pattern::Range;

constexpr char32_t kLastCodePoint = 0x10FFFF;
// Parentheses nest by recursion in the parser; a file's pattern must not be able to exhaust the
// stack with them.
constexpr int kMaxNesting = 100;
// The work a search may do: one unit per thread visit, plus a unit per four group bounds a
// thread carries along. A pattern near the size bound on a 4 KiB answer would take seconds; the
// allowance stops the costliest ones a table can hold after about six milliseconds of CPU (a
// window on a busy machine waits a few times that), while a pattern that keeps fifty threads
// alive still searches a full answer within it.
constexpr std::size_t kMaxWork = 250'000;
constexpr std::size_t kBoundsPerWorkUnit = 4;

struct Refusal {
    std::u16string reason;
};

std::u16string Placed(std::u16string_view what, std::size_t place)
{
    return std::u16string(what) + u" at " + DecimalText(static_cast<int>(place + 1));
}

// Sorted by their first character, overlapping and touching ranges joined.
std::vector<Range> Merged(std::vector<Range> ranges)
{
    std::sort(ranges.begin(), ranges.end(),
              [](const Range& a, const Range& b) { return a.first < b.first; });
    std::vector<Range> out;
    for (const Range& r : ranges) {
        if (!out.empty() && (out.back().last == kLastCodePoint || r.first <= out.back().last + 1))
            out.back().last = std::max(out.back().last, r.last);
        else
            out.push_back(r);
    }
    return out;
}

std::vector<Range> Complement(const std::vector<Range>& ranges)
{
    std::vector<Range> out;
    char32_t next = 0;
    for (const Range& r : Merged(ranges)) {
        if (r.first > next)
            out.push_back({next, r.first - 1});
        if (r.last == kLastCodePoint)
            return out;
        next = r.last + 1;
    }
    out.push_back({next, kLastCodePoint});
    return out;
}

std::vector<Range> ShorthandRanges(char32_t letter)
{
    switch (letter) {
    case U'd':
        return {{U'0', U'9'}};
    case U'w':
        return {{U'0', U'9'}, {U'A', U'Z'}, {U'_', U'_'}, {U'a', U'z'}};
    case U's':
        return {{U'\t', U'\r'}, {U' ', U' '}};
    default:
        return {};
    }
}

bool IsShorthand(char32_t c)
{
    return c == U'd' || c == U'w' || c == U's' || c == U'D' || c == U'W' || c == U'S';
}

std::vector<Range> Shorthand(char32_t c)
{
    const bool negated = c == U'D' || c == U'W' || c == U'S';
    const std::vector<Range> ranges = ShorthandRanges(negated ? c - U'A' + U'a' : c);
    return negated ? Complement(ranges) : ranges;
}

int HexValue(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f')
        return static_cast<int>(c - U'a' + 10);
    if (c >= U'A' && c <= U'F')
        return static_cast<int>(c - U'A' + 10);
    return -1;
}

bool IsAsciiLetterOrDigit(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9');
}

struct Node {
    enum class Kind { Empty, Class, Begin, End, Concat, Alternation, Repeat, Group };
    Kind kind = Kind::Empty;
    int32_t value = 0; // class index, or group number (-1: not captured)
    int min = 0;
    int max = 0; // -1: no upper bound
    bool greedy = true;
    std::vector<Node> children;

    static Node Of(Kind kind)
    {
        Node node;
        node.kind = kind;
        return node;
    }
};

class Parser {
public:
    explicit Parser(std::u32string_view source) : m_source(source) {}

    Pattern::Program Parse()
    {
        Node root = ParseAlternation(0);
        if (m_at < m_source.size())
            throw Refusal{Placed(u"unmatched )", m_at)};
        Emit({Op::Save, 0});
        Compile(root);
        Emit({Op::Save, 1});
        Emit({Op::Match});
        return std::move(m_program);
    }

private:
    bool AtEnd() const { return m_at >= m_source.size(); }
    char32_t Peek() const { return m_source[m_at]; }

    Node ParseAlternation(int depth)
    {
        Node first = ParseConcatenation(depth);
        if (AtEnd() || Peek() != U'|')
            return first;
        Node alternation = Node::Of(Node::Kind::Alternation);
        alternation.children.push_back(std::move(first));
        while (!AtEnd() && Peek() == U'|') {
            ++m_at;
            alternation.children.push_back(ParseConcatenation(depth));
        }
        return alternation;
    }

    Node ParseConcatenation(int depth)
    {
        Node sequence = Node::Of(Node::Kind::Concat);
        while (!AtEnd() && Peek() != U'|' && Peek() != U')')
            sequence.children.push_back(ParseRepeat(depth));
        return sequence;
    }

    Node ParseRepeat(int depth)
    {
        Node atom = ParseAtom(depth);
        if (AtEnd())
            return atom;
        const std::size_t place = m_at;
        int min = 0;
        int max = 0;
        const char32_t c = Peek();
        if (c == U'*' || c == U'+' || c == U'?') {
            ++m_at;
            min = c == U'+' ? 1 : 0;
            max = c == U'?' ? 1 : -1;
        } else if (!ReadCount(min, max)) {
            return atom;
        }
        if (atom.kind == Node::Kind::Begin || atom.kind == Node::Kind::End)
            throw Refusal{Placed(u"nothing to repeat", place)};
        Node repeat = Node::Of(Node::Kind::Repeat);
        repeat.min = min;
        repeat.max = max;
        if (!AtEnd() && Peek() == U'?') {
            repeat.greedy = false;
            ++m_at;
        }
        if (!AtEnd() && (Peek() == U'*' || Peek() == U'+' || Peek() == U'?' || IsCountAhead()))
            throw Refusal{Placed(u"nothing to repeat", m_at)};
        repeat.children.push_back(std::move(atom));
        return repeat;
    }

    // "{" that does not open a well-formed count is a plain brace, as in most engines.
    bool IsCountAhead() const
    {
        std::size_t at = m_at;
        int min = 0;
        int max = 0;
        return ScanCount(at, min, max);
    }

    bool ScanCount(std::size_t& at, int& min, int& max) const
    {
        if (at >= m_source.size() || m_source[at] != U'{')
            return false;
        std::size_t i = at + 1;
        auto number = [&](int& value) {
            const std::size_t start = i;
            value = 0;
            while (i < m_source.size() && m_source[i] >= U'0' && m_source[i] <= U'9') {
                value = std::min(value * 10 + static_cast<int>(m_source[i] - U'0'), 1'000'000);
                ++i;
            }
            return i > start;
        };
        if (!number(min))
            return false;
        max = min;
        if (i < m_source.size() && m_source[i] == U',') {
            ++i;
            if (!number(max))
                max = -1;
        }
        if (i >= m_source.size() || m_source[i] != U'}')
            return false;
        at = i + 1;
        return true;
    }

    bool ReadCount(int& min, int& max)
    {
        const std::size_t place = m_at;
        if (!ScanCount(m_at, min, max))
            return false;
        if (min > Pattern::kMaxRepeat || max > Pattern::kMaxRepeat)
            throw Refusal{Placed(u"repeat count above " + DecimalText(Pattern::kMaxRepeat), place)};
        if (max != -1 && max < min)
            throw Refusal{Placed(u"repeat count out of order", place)};
        return true;
    }

    Node ClassNode(std::vector<Range> ranges, bool negated = false)
    {
        m_program.classes.push_back({negated ? Complement(ranges) : Merged(std::move(ranges))});
        Node node = Node::Of(Node::Kind::Class);
        node.value = static_cast<int32_t>(m_program.classes.size() - 1);
        return node;
    }

    Node ParseAtom(int depth)
    {
        const std::size_t place = m_at;
        const char32_t c = Peek();
        ++m_at;
        switch (c) {
        case U'(':
            return ParseGroup(depth, place);
        case U'[':
            return ParseClass(place);
        case U'.':
            return ClassNode({{U'\n', U'\n'}}, true);
        case U'^':
            return Node::Of(Node::Kind::Begin);
        case U'$':
            return Node::Of(Node::Kind::End);
        case U'*':
        case U'+':
        case U'?':
            throw Refusal{Placed(u"nothing to repeat", place)};
        case U'\\': {
            std::vector<Range> ranges = ParseEscape(place);
            return ClassNode(std::move(ranges));
        }
        default:
            --m_at;
            if (IsCountAhead())
                throw Refusal{Placed(u"nothing to repeat", place)};
            ++m_at;
            return ClassNode({{c, c}});
        }
    }

    Node ParseGroup(int depth, std::size_t place)
    {
        if (depth >= kMaxNesting)
            throw Refusal{Placed(u"groups nested too deeply", place)};
        Node group = Node::Of(Node::Kind::Group);
        group.value = -1;
        if (m_at + 1 < m_source.size() && Peek() == U'?' && m_source[m_at + 1] == U':')
            m_at += 2;
        else if (m_program.groupCount == Pattern::kMaxGroups)
            throw Refusal{
                Placed(u"more than " + DecimalText(Pattern::kMaxGroups) + u" groups", place)};
        else
            group.value = ++m_program.groupCount;
        group.children.push_back(ParseAlternation(depth + 1));
        if (AtEnd() || Peek() != U')')
            throw Refusal{Placed(u"missing ) for (", place)};
        ++m_at;
        return group;
    }

    // After the backslash: one character's range, or a shorthand's ranges.
    std::vector<Range> ParseEscape(std::size_t place)
    {
        if (AtEnd())
            throw Refusal{Placed(u"trailing backslash", place)};
        const char32_t c = Peek();
        ++m_at;
        if (IsShorthand(c))
            return Shorthand(c);
        char32_t literal = c;
        switch (c) {
        case U'r':
            literal = U'\r';
            break;
        case U'n':
            literal = U'\n';
            break;
        case U't':
            literal = U'\t';
            break;
        case U'f':
            literal = U'\f';
            break;
        case U'v':
            literal = U'\v';
            break;
        case U'0':
            literal = 0;
            break;
        case U'x': {
            const int high = AtEnd() ? -1 : HexValue(Peek());
            const int low = m_at + 1 >= m_source.size() ? -1 : HexValue(m_source[m_at + 1]);
            if (high < 0 || low < 0)
                throw Refusal{Placed(u"\\x needs two hex digits", place)};
            m_at += 2;
            literal = static_cast<char32_t>(high * 16 + low);
            break;
        }
        default:
            // Escaped letters and digits are kept free for meanings not given yet.
            if (IsAsciiLetterOrDigit(c))
                throw Refusal{Placed(
                    u"unknown escape \\" + std::u16string(1, static_cast<char16_t>(c)), place)};
        }
        return {{literal, literal}};
    }

    Node ParseClass(std::size_t place)
    {
        bool negated = false;
        if (!AtEnd() && Peek() == U'^') {
            negated = true;
            ++m_at;
        }
        std::vector<Range> ranges;
        bool first = true;
        while (true) {
            if (AtEnd())
                throw Refusal{Placed(u"missing ] for [", place)};
            if (Peek() == U']' && !first)
                break;
            first = false;
            const std::size_t itemPlace = m_at;
            std::vector<Range> item = ParseClassItem();
            const bool single =
                item.size() == 1 && item[0].first == item[0].last &&
                !(m_source[itemPlace] == U'\\' && IsShorthand(m_source[itemPlace + 1]));
            if (single && m_at + 1 < m_source.size() && Peek() == U'-' &&
                m_source[m_at + 1] != U']') {
                ++m_at;
                const std::size_t endPlace = m_at;
                const std::vector<Range> end = ParseClassItem();
                if (end.size() != 1 || end[0].first != end[0].last ||
                    (m_source[endPlace] == U'\\' && IsShorthand(m_source[endPlace + 1])))
                    throw Refusal{Placed(u"bad range", itemPlace)};
                if (end[0].first < item[0].first)
                    throw Refusal{Placed(u"range out of order", itemPlace)};
                item[0].last = end[0].first;
            }
            ranges.insert(ranges.end(), item.begin(), item.end());
        }
        ++m_at;
        return ClassNode(std::move(ranges), negated);
    }

    std::vector<Range> ParseClassItem()
    {
        const std::size_t place = m_at;
        const char32_t c = Peek();
        ++m_at;
        if (c == U'\\')
            return ParseEscape(place);
        return {{c, c}};
    }

    int Here() const { return static_cast<int>(m_program.instructions.size()); }

    void Emit(Instruction instruction)
    {
        if (m_program.instructions.size() >= Pattern::kMaxProgramSize)
            throw Refusal{u"pattern too large"};
        m_program.instructions.push_back(instruction);
    }

    Instruction& InstructionAt(int pc)
    {
        return m_program.instructions[static_cast<std::size_t>(pc)];
    }

    // A split to body (preferred when greedy) and to the place patched later.
    int EmitChoice(bool greedy)
    {
        const int pc = Here();
        Emit({Op::Split, pc + 1, -1});
        if (!greedy)
            std::swap(InstructionAt(pc).x, InstructionAt(pc).y);
        return pc;
    }

    void PatchChoice(int pc, int target)
    {
        Instruction& split = InstructionAt(pc);
        (split.x == -1 ? split.x : split.y) = target;
    }

    void Compile(const Node& node)
    {
        switch (node.kind) {
        case Node::Kind::Empty:
            return;
        case Node::Kind::Class:
            Emit({Op::Class, node.value});
            return;
        case Node::Kind::Begin:
            Emit({Op::Begin});
            return;
        case Node::Kind::End:
            Emit({Op::End});
            return;
        case Node::Kind::Concat:
            for (const Node& child : node.children)
                Compile(child);
            return;
        case Node::Kind::Group:
            if (node.value >= 0)
                Emit({Op::Save, node.value * 2});
            Compile(node.children.front());
            if (node.value >= 0)
                Emit({Op::Save, node.value * 2 + 1});
            return;
        case Node::Kind::Alternation:
            CompileAlternation(node);
            return;
        case Node::Kind::Repeat:
            CompileRepeat(node);
            return;
        }
    }

    void CompileAlternation(const Node& node)
    {
        std::vector<int> jumps;
        for (std::size_t i = 0; i + 1 < node.children.size(); ++i) {
            const int split = EmitChoice(true);
            Compile(node.children[i]);
            jumps.push_back(Here());
            Emit({Op::Jump, -1});
            PatchChoice(split, Here());
        }
        Compile(node.children.back());
        for (int jump : jumps)
            InstructionAt(jump).x = Here();
    }

    void CompileRepeat(const Node& node)
    {
        const Node& body = node.children.front();
        for (int i = 0; i < node.min; ++i)
            Compile(body);
        if (node.max == -1) {
            const int loop = EmitChoice(node.greedy);
            Compile(body);
            Emit({Op::Jump, loop});
            PatchChoice(loop, Here());
            return;
        }
        std::vector<int> choices;
        for (int i = node.min; i < node.max; ++i) {
            choices.push_back(EmitChoice(node.greedy));
            Compile(body);
        }
        for (int choice : choices)
            PatchChoice(choice, Here());
    }

    std::u32string_view m_source;
    std::size_t m_at = 0;
    Pattern::Program m_program;
};

// The live threads of one step, in priority order, each with its capture slots; a program
// counter is taken once per step, which is what bounds the work.
class ThreadList {
public:
    // The captures grow with the threads that live at once, which is far fewer than the
    // program's instructions for most patterns.
    ThreadList(std::size_t programSize, std::size_t slots) : m_slots(slots), m_seen(programSize, 0)
    {
    }

    void Begin(uint32_t generation)
    {
        m_generation = generation;
        m_pcs.clear();
    }
    bool Visit(int pc)
    {
        uint32_t& seen = m_seen[static_cast<std::size_t>(pc)];
        if (seen == m_generation)
            return false;
        seen = m_generation;
        return true;
    }
    void Add(int pc, const std::vector<std::ptrdiff_t>& captures)
    {
        const std::size_t end = (m_pcs.size() + 1) * m_slots;
        if (m_captures.size() < end)
            m_captures.resize(std::max(end, 2 * m_captures.size()));
        std::copy(captures.begin(), captures.end(),
                  m_captures.begin() + static_cast<std::ptrdiff_t>(end - m_slots));
        m_pcs.push_back(pc);
    }
    std::size_t size() const { return m_pcs.size(); }
    int pc(std::size_t i) const { return m_pcs[i]; }
    void CopyCaptures(std::size_t i, std::vector<std::ptrdiff_t>& into) const
    {
        const auto from = m_captures.begin() + static_cast<std::ptrdiff_t>(i * m_slots);
        std::copy(from, from + static_cast<std::ptrdiff_t>(m_slots), into.begin());
    }

private:
    std::size_t m_slots;
    uint32_t m_generation = 0;
    std::vector<uint32_t> m_seen;
    std::vector<int> m_pcs;
    std::vector<std::ptrdiff_t> m_captures;
};

class Machine {
public:
    Machine(const Pattern::Program& program, std::u32string_view text)
        : m_program(program), m_text(text),
          m_slots(static_cast<std::size_t>(program.groupCount + 1) * 2), m_current(Size(), m_slots),
          m_next(Size(), m_slots), m_scratch(m_slots, -1)
    {
    }

    Pattern::Found Run()
    {
        Pattern::Found found;
        m_current.Begin(1);
        for (std::size_t at = 0; at <= m_text.size(); ++at) {
            if (!found.match) {
                std::fill(m_scratch.begin(), m_scratch.end(), -1);
                if (!AddThread(m_current, 0, at))
                    return {std::nullopt, true};
            }
            if (m_current.size() == 0)
                break;
            m_next.Begin(static_cast<uint32_t>(at + 2));
            for (std::size_t i = 0; i < m_current.size(); ++i) {
                const Instruction& instruction = Fetch(m_current.pc(i));
                if (instruction.op == Op::Match) {
                    found.match = Pattern::Match{std::vector<std::ptrdiff_t>(m_slots)};
                    m_current.CopyCaptures(i, found.match->bounds);
                    break; // the threads after this one have lower priority
                }
                if (at < m_text.size() &&
                    m_program.classes[static_cast<std::size_t>(instruction.x)].Contains(
                        m_text[at])) {
                    m_current.CopyCaptures(i, m_scratch);
                    if (!AddThread(m_next, m_current.pc(i) + 1, at + 1))
                        return {std::nullopt, true};
                }
            }
            std::swap(m_current, m_next);
        }
        return found;
    }

private:
    std::size_t Size() const { return m_program.instructions.size(); }
    const Instruction& Fetch(int pc) const
    {
        return m_program.instructions[static_cast<std::size_t>(pc)];
    }

    // Follows jumps, splits, saves and anchors from pc with m_scratch as the captures, and adds
    // the threads that wait on a character or a match. An explicit stack instead of recursion:
    // a long chain of splits must not exhaust the real one. False when the work allowance ran
    // out.
    bool AddThread(ThreadList& list, int start, std::size_t at)
    {
        m_stack.clear();
        m_stack.push_back({start, -1, 0});
        while (!m_stack.empty()) {
            const Entry entry = m_stack.back();
            m_stack.pop_back();
            if (entry.restoreSlot >= 0) {
                m_scratch[static_cast<std::size_t>(entry.restoreSlot)] = entry.value;
                continue;
            }
            int pc = entry.pc;
            while (list.Visit(pc)) {
                if (++m_work > kMaxWork)
                    return false;
                const Instruction& instruction = Fetch(pc);
                if (instruction.op == Op::Jump) {
                    pc = instruction.x;
                } else if (instruction.op == Op::Split) {
                    m_stack.push_back({instruction.y, -1, 0});
                    pc = instruction.x;
                } else if (instruction.op == Op::Save) {
                    const auto slot = static_cast<std::size_t>(instruction.x);
                    m_stack.push_back({0, instruction.x, m_scratch[slot]});
                    m_scratch[slot] = static_cast<std::ptrdiff_t>(at);
                    ++pc;
                } else if (instruction.op == Op::Begin) {
                    if (at != 0)
                        break;
                    ++pc;
                } else if (instruction.op == Op::End) {
                    if (at != m_text.size())
                        break;
                    ++pc;
                } else {
                    list.Add(pc, m_scratch);
                    m_work += m_slots / kBoundsPerWorkUnit;
                    break;
                }
            }
        }
        return true;
    }

    struct Entry {
        int pc;
        int restoreSlot; // >= 0: put value back into this slot instead
        std::ptrdiff_t value;
    };

    const Pattern::Program& m_program;
    std::u32string_view m_text;
    std::size_t m_slots;
    ThreadList m_current;
    ThreadList m_next;
    std::vector<std::ptrdiff_t> m_scratch;
    std::vector<Entry> m_stack;
    std::size_t m_work = 0;
};

} // namespace

bool Pattern::CharClass::Contains(char32_t c) const
{
    const auto after = std::upper_bound(ranges.begin(), ranges.end(), c,
                                        [](char32_t x, const Range& r) { return x < r.first; });
    return after != ranges.begin() && c <= std::prev(after)->last;
}

std::optional<std::u32string_view> Pattern::Match::Group(std::u32string_view text, int group) const
{
    const auto slot = static_cast<std::size_t>(group) * 2;
    if (group < 0 || slot + 1 >= bounds.size() || bounds[slot] < 0 || bounds[slot + 1] < 0)
        return std::nullopt;
    return text.substr(static_cast<std::size_t>(bounds[slot]),
                       static_cast<std::size_t>(bounds[slot + 1] - bounds[slot]));
}

Pattern Pattern::Compile(std::u16string_view source)
{
    Pattern pattern;
    const std::u32string points = ToCodePoints(source);
    try {
        pattern.m_program = Parser(points).Parse();
    } catch (const Refusal& refusal) {
        pattern.m_program = {};
        pattern.m_error = refusal.reason;
    }
    return pattern;
}

Pattern::Found Pattern::Search(std::u32string_view text) const
{
    if (!ok())
        return {};
    return Machine(m_program, text).Run();
}

std::u32string ToCodePoints(std::u16string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            out +=
                static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            out += unit;
        }
    }
    return out;
}

} // namespace wirevane
