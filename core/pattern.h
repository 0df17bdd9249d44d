#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// A regular expression for answer checks, matched by a Pike VM: every step advances all live
// threads together, so the time is bounded by the text's length times the program's size and no
// pattern can backtrack exponentially or recurse deeply, whatever a table file holds.
//
// Syntax: literals, ".", classes "[a-z]" and "[^...]", "\d \w \s \D \W \S", escapes
// "\r \n \t \f \v \0 \xHH" and any escaped punctuation, anchors "^" (start of the text) and "$"
// (end of the text), groups "( )" and "(?: )", alternation "|", and the quantifiers
// "* + ? {m} {m,} {m,n}", each lazy with a trailing "?". The leftmost match is found, and among
// matches there, the one the quantifiers' preference gives (as backtracking engines do).
//
// A search runs on the window thread, so its work is bounded too: one that would take longer
// than a few milliseconds gives up and says so.
class Pattern {
public:
    static constexpr int kMaxRepeat = 1000;
    // Counted repeats are written out; this bounds what a nested "{1000}" can build.
    static constexpr std::size_t kMaxProgramSize = 20000;
    // Every live thread carries the bounds of every group: the count bounds a search's memory
    // and the cost of each step.
    static constexpr int kMaxGroups = 32;

    // The start and end (code point indexes) of group 0 (the whole match) and of each group;
    // -1 for a group that took no part.
    struct Match {
        std::vector<std::ptrdiff_t> bounds;
        std::optional<std::u32string_view> Group(std::u32string_view text, int group) const;
    };

    // On failure error() is the reason with its place, counted in characters from 1.
    static Pattern Compile(std::u16string_view source);

    bool ok() const { return m_error.empty(); }
    const std::u16string& error() const { return m_error; }
    int groupCount() const { return m_program.groupCount; }

    struct Found {
        std::optional<Match> match;
        // The search ran out of its work allowance before it knew; there is no match then.
        bool gaveUp = false;
    };
    // The leftmost match in the text, if any.
    Found Search(std::u32string_view text) const;

    enum class Op : uint8_t { Class, Split, Jump, Save, Begin, End, Match };
    struct Range {
        char32_t first;
        char32_t last;
    };
    // Sorted, disjoint ranges, so a class of thousands of characters is searched, not scanned.
    struct CharClass {
        std::vector<Range> ranges;
        bool Contains(char32_t c) const;
    };
    struct Instruction {
        Op op;
        int32_t x = 0; // class index, save slot or first target
        int32_t y = 0; // second target of a split
    };

    struct Program {
        std::vector<Instruction> instructions;
        std::vector<CharClass> classes;
        int groupCount = 0;
    };

private:
    Program m_program;
    std::u16string m_error;
};

// The code points of UTF-16 text; a lone surrogate stands for itself.
std::u32string ToCodePoints(std::u16string_view text);

} // namespace wirevane
