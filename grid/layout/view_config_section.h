#pragma once

#include "platform/file_error.h"

#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// Key/value access to the section that holds one view's column layout, with typed conversions.
// Subclasses supply the three storage primitives and may choose which section receives the
// layout keys (CurrentSectionName). Values are text; numbers are written in decimal.
//
// BeginUpdate/EndUpdate bracket a group of reads and writes that belong together (one layout
// save) so that a file-backed section can write its file once, at EndUpdate, and answer how that
// went. Brackets nest; storage without a file answers success.
class CViewConfigSection {
public:
    explicit CViewConfigSection(std::u16string viewName);
    virtual ~CViewConfigSection();
    CViewConfigSection(const CViewConfigSection&) = delete;
    CViewConfigSection& operator=(const CViewConfigSection&) = delete;

    const std::u16string& ViewName() const { return m_viewName; }

    virtual std::u16string ReadValue(std::u16string_view section, std::u16string_view key,
                                     std::u16string_view fallback) = 0;
    virtual void WriteValue(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) = 0;
    virtual void DeleteSection(std::u16string_view section) = 0;
    // Removes one key; a key that is not there is no change.
    virtual void DeleteValue(std::u16string_view section, std::u16string_view key) = 0;

    virtual void BeginUpdate();
    virtual platform::FileError EndUpdate();

    static std::u16string ConvertBool(bool value);                        // "TRUE" / "FALSE"
    static std::u16string ConvertInt(int value);                          // "%d"
    static std::u16string ConvertFloat(double value, int decimals);       // "%.<decimals>f"
    static std::u16string ConvertIntList(const std::vector<int>& values); // joined by ", "
    static std::u16string ConvertStringList(const std::vector<std::u16string>& values);
    // The leading decimal number of the text, 0 when it has none.
    static int ParseInt(std::u16string_view text);
    // Splits at every occurrence of the separator; the empty text gives an empty list.
    static std::vector<std::u16string> SplitList(std::u16string_view text,
                                                 std::u16string_view separator);

    // The section that receives the layout keys: here the view's own section.
    virtual std::u16string CurrentSectionName();

    virtual std::u16string ValueOf(std::u16string_view key, std::u16string_view fallback);
    // "TRUE" and "FALSE" read as such, anything else as the fallback.
    bool ReadBool(std::u16string_view key, bool fallback);
    // The leading decimal number of the text, 0 when it has none.
    int ReadInt(std::u16string_view key, int fallback);
    double ReadFloat(std::u16string_view key, double fallback);
    std::vector<int> ReadIntList(std::u16string_view key);
    std::vector<std::u16string> ReadStringList(std::u16string_view key);

    void StoreValue(std::u16string_view key, std::u16string_view value);
    void StoreBool(std::u16string_view key, bool value);
    void StoreInt(std::u16string_view key, int value);
    void StoreFloat(std::u16string_view key, double value, int decimals);
    void StoreIntList(std::u16string_view key, const std::vector<int>& values);
    void StoreStringList(std::u16string_view key, const std::vector<std::u16string>& values);

    virtual void ClearCurrentLayout();

private:
    std::u16string m_viewName;
};

// Adds default values kept in memory: a key missing from the storage reads as its default.
// RestoreDefaults writes the defaults into the current section.
class CViewConfigSectionDefault : public CViewConfigSection {
public:
    // An ordered list of key/value pairs in memory. Writing appends a pair, reading finds the
    // first pair with the key, deleting any section clears the list.
    class CViewConfigSectionLocal : public CViewConfigSection {
    public:
        using CViewConfigSection::CViewConfigSection;

        std::u16string ReadValue(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view fallback) override;
        void WriteValue(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) override;
        void DeleteSection(std::u16string_view section) override;
        void DeleteValue(std::u16string_view section, std::u16string_view key) override;

        const std::u16string* Find(std::u16string_view key) const;
        const std::vector<std::pair<std::u16string, std::u16string>>& Pairs() const
        {
            return m_pairs;
        }

    private:
        std::vector<std::pair<std::u16string, std::u16string>> m_pairs;
    };

    explicit CViewConfigSectionDefault(const std::u16string& viewName);

    std::u16string ValueOf(std::u16string_view key, std::u16string_view fallback) override;

    CViewConfigSectionLocal& DefaultValues() { return m_defaults; }
    bool HasDefaults() const { return !m_defaults.Pairs().empty(); }
    void RestoreDefaults();

private:
    CViewConfigSectionLocal m_defaults;
};

// Adds named layout profiles: the view section lists them ("CurrentProfiles", joined by ", ")
// and names the active one ("ActiveProfile"); each profile's layout lives in the section
// view + "__" + profile. The current section is worked out once and then changes only when a
// profile is activated.
class CViewConfigSectionProfiles : public CViewConfigSectionDefault {
public:
    using CViewConfigSectionDefault::CViewConfigSectionDefault;

    std::u16string CurrentSectionName() override;
    // Keeps the view section's profile keys when the layout lives in the view section itself.
    void ClearCurrentLayout() override;

    // The view and profile parts of a section name; the profile is empty for the view section.
    static std::pair<std::u16string, std::u16string> SplitSectionName(std::u16string_view section);
    static std::u16string ProfileSectionName(std::u16string_view view, std::u16string_view profile);
    std::vector<std::u16string> ProfileList();
    std::u16string ActiveProfileName();
    void ActivateProfile(std::u16string_view name);
    void RegisterProfile(std::u16string_view name);
    void RemoveProfile(std::u16string_view name);

private:
    std::u16string m_currentSection;
};

} // namespace wirevane
