// Translations: one XML file per language with items grouped by window and purpose, the list
// of installed languages, and switching the language the whole program translates into.
//
// File form: <translation language="Deutsch" language_en="German" author=".." date="..">
//   <groups> <group name="MainWindow"> <item context="English text" translation=".." />
//   <group name="Menus"> ... </group> </group> ... </groups> </translation>
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

struct TranslationItem {
    std::string group;       // enclosing group names joined with "/", e.g. "MainWindow/Menus"
    std::string source;      // the English text as written in the file
    std::string translation; // after the substitutions of translate.h
};

class Translation {
public:
    // Fills the translation from a language file. False when the file is missing, its
    // extension is not "xml" (any case), it does not parse, the header lacks language or
    // language_en, an element other than "item" or "group" stands inside a group (then no
    // item is kept), or it holds no item at all.
    [[nodiscard]] bool load(const std::string& path);

    // The first item with this source text and, when context is not empty, this group.
    const TranslationItem* find(std::string_view text, std::string_view context) const;

    const std::string& path() const { return path_; }
    const std::string& language() const { return language_; }
    const std::string& languageEn() const { return languageEn_; }
    const std::string& author() const { return author_; }
    const std::string& date() const { return date_; }
    const std::vector<TranslationItem>& items() const { return items_; }

private:
    std::string path_;
    std::string language_;
    std::string languageEn_;
    std::string author_;
    std::string date_;
    std::vector<TranslationItem> items_;
};

struct LanguageInfo {
    std::string path;
    std::string baseName;   // file name without folder and extension: the setting's value
    std::string language;   // the language's own name, first letter upper-cased
    std::string languageEn; // its English name, first letter upper-cased
    std::string author;
    std::string date;
};

// Reads only the header of a language file; false when it is not a readable language file.
[[nodiscard]] bool readLanguageHeader(const std::string& path, LanguageInfo& info);

// The languages found in the folders (see languageDirs), in directory order, files with an
// empty language skipped. A base name found in an earlier folder hides later ones.
std::vector<LanguageInfo> listLanguages(const std::vector<std::string>& folders);

// Makes the language file baseName + ".xml" from the first folder that has it the current
// translation. Nothing happens when that file is already the current one. When no folder has
// the file or it is invalid, there is no translation afterwards and every text shows in
// English. True when a translation is current afterwards.
[[nodiscard]] bool setLanguage(const std::vector<std::string>& folders, std::string_view baseName);

} // namespace scalora
