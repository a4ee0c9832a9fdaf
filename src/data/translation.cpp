#include "data/translation.h"

#include "base/paths.h"
#include "base/strings.h"
#include "data/translate.h"
#include "data/xml_document.h"
#include "platform/file_system.h"

#include <set>

namespace scalora {
namespace {

constexpr std::string_view kGroupSeparator = "/";

bool hasXmlExtension(const std::string& path) {
    return toLower(extension(path)) == "xml";
}

// Loads the groups below "groups" in document order. Groups nest to any depth, so the walk
// keeps its own stack instead of recursing.
bool loadGroups(const XmlElement& groups, std::vector<TranslationItem>& items) {
    struct Frame {
        const XmlElement* group;
        std::size_t nextChild;
    };
    std::vector<Frame> stack;
    std::vector<std::string> names;
    for (const auto& top : groups.children()) {
        stack.push_back({top.get(), 0});
        names.push_back(top->attributeValue("name"));
        while (!stack.empty()) {
            Frame& frame = stack.back();
            if (frame.nextChild == frame.group->children().size()) {
                stack.pop_back();
                names.pop_back();
                continue;
            }
            const XmlElement& child = *frame.group->children()[frame.nextChild++];
            if (child.name() == "item") {
                items.push_back({join(names, kGroupSeparator), child.attributeValue("context"),
                                 substituteText(child.attributeValue("translation"))});
            } else if (child.name() == "group") {
                stack.push_back({&child, 0});
                names.push_back(child.attributeValue("name"));
            } else {
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool Translation::load(const std::string& path) {
    path_ = path;
    language_.clear();
    languageEn_.clear();
    author_.clear();
    date_.clear();
    items_.clear();
    if (!isRegularFile(path) || !hasXmlExtension(path)) {
        return false;
    }
    XmlDocument doc;
    if (!doc.loadFromFile(path, TextEncoding::Utf8)) {
        return false;
    }
    const XmlElement* translation = doc.root().findChild("translation");
    if (translation == nullptr) {
        return false;
    }
    language_ = translation->attributeValue("language");
    languageEn_ = translation->attributeValue("language_en");
    author_ = translation->attributeValue("author");
    date_ = translation->attributeValue("date");
    if (language_.empty() || languageEn_.empty()) {
        return false;
    }
    const XmlElement* groups = translation->findChild("groups");
    if (groups == nullptr) {
        return false;
    }
    if (!loadGroups(*groups, items_)) {
        items_.clear();
        return false;
    }
    return !items_.empty();
}

const TranslationItem* Translation::find(std::string_view text, std::string_view context) const {
    for (const TranslationItem& item : items_) {
        if (item.source == text && (context.empty() || item.group == context)) {
            return &item;
        }
    }
    return nullptr;
}

bool readLanguageHeader(const std::string& path, LanguageInfo& info) {
    info = {};
    if (!isRegularFile(path) || !hasXmlExtension(path)) {
        return false;
    }
    XmlDocument doc;
    if (!doc.loadFromFile(path, TextEncoding::Utf8)) {
        return false;
    }
    const XmlElement* translation = doc.root().findChild("translation");
    if (translation == nullptr) {
        return false;
    }
    info.path = path;
    info.baseName = baseName(path);
    info.language = upperFirst(translation->attributeValue("language"));
    info.languageEn = upperFirst(translation->attributeValue("language_en"));
    info.author = translation->attributeValue("author");
    info.date = translation->attributeValue("date");
    return true;
}

std::vector<LanguageInfo> listLanguages(const std::vector<std::string>& folders) {
    std::vector<LanguageInfo> languages;
    std::set<std::string> seen;
    for (const std::string& folder : folders) {
        const auto entries = listDirectory(folder, HiddenEntries::Skip);
        if (!entries) {
            continue;
        }
        for (const DirectoryEntry& entry : *entries) {
            LanguageInfo info;
            if (!entry.isRegularFile || !readLanguageHeader(joinPath(folder, entry.name), info) ||
                info.language.empty() || !seen.insert(info.baseName).second) {
                continue;
            }
            languages.push_back(std::move(info));
        }
    }
    return languages;
}

bool setLanguage(const std::vector<std::string>& folders, std::string_view baseName) {
    std::string path;
    // A base name is a plain file name; anything that could leave the folder finds nothing.
    if (!baseName.empty() && baseName.find(kPathSeparator) == std::string_view::npos) {
        for (const std::string& folder : folders) {
            const std::string candidate = joinPath(folder, std::string(baseName) + ".xml");
            if (isRegularFile(candidate)) {
                path = candidate;
                break;
            }
        }
    }
    if (!path.empty() && currentTranslationPath() == path) {
        return true;
    }
    std::unique_ptr<Translation> translation;
    if (!path.empty()) {
        translation = std::make_unique<Translation>();
        if (!translation->load(path)) {
            translation.reset();
        }
    }
    const bool loaded = translation != nullptr;
    installTranslation(std::move(translation));
    return loaded;
}

} // namespace scalora
