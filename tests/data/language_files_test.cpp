// Keeps the language files in step with the code. A scan of src/ collects every text handed to
// translate with its context, following the forms the code uses: literals and named constants,
// small helpers that pass their parameter on (tr, addLabel, refuse, a menu entry lambda), table
// fields (tool.toolTip, kSwitchRows[i].text), a local variable and a function's return values.
// A context that reaches translate through a parameter is one of the group paths the code names
// without translating with it (the text editors hand theirs down through a constructor).
// The files are read with the program's own loader, which takes "&amp;" as those five
// characters, so an escaped ampersand shows up here as a text the code does not find.
#include "../ui/draw/png_file.h"
#include "base/strings.h"
#include "data/translation.h"
#include "support/test_support.h"
#include "ui/draw/canvas.h"
#include "ui/draw/font_face.h"
#include "ui/draw/screen_dpi.h"
#include "ui/draw/ui_font.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace scalora {
namespace {

enum class TokenKind { Ident, String, Punct, Other };

struct Token {
    TokenKind kind;
    std::string text; // a string literal's value, unescaped
    std::size_t line;
};

bool isIdentChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

char unescaped(char c) {
    switch (c) {
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    default:
        return c;
    }
}

// Enough of C++'s lexical rules for this code: comments, preprocessor lines, plain and raw
// string literals, character literals, identifiers, numbers and punctuation.
std::vector<Token> tokenize(const std::string& s) {
    std::vector<Token> tokens;
    std::size_t line = 1;
    std::size_t i = 0;
    const auto skipTo = [&](std::string_view end) {
        const std::size_t at = s.find(end, i);
        const std::size_t stop = at == std::string::npos ? s.size() : at + end.size();
        line += static_cast<std::size_t>(std::count(s.begin() + static_cast<std::ptrdiff_t>(i),
                                                    s.begin() + static_cast<std::ptrdiff_t>(stop),
                                                    '\n'));
        i = stop;
    };
    while (i < s.size()) {
        const char c = s[i];
        const char next = i + 1 < s.size() ? s[i + 1] : '\0';
        if (c == '\n') {
            ++line;
            ++i;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '/' && next == '/') {
            while (i < s.size() && s[i] != '\n') {
                ++i;
            }
        } else if (c == '/' && next == '*') {
            skipTo("*/");
        } else if (c == '#') {
            while (i < s.size() && !(s[i] == '\n' && s[i - 1] != '\\')) {
                line += s[i] == '\n' ? 1 : 0;
                ++i;
            }
        } else if (c == 'R' && next == '"') {
            const std::size_t open = s.find('(', i);
            const std::string end = ")" + s.substr(i + 2, open - i - 2) + "\"";
            const std::size_t at = s.find(end, open);
            tokens.push_back({TokenKind::String, s.substr(open + 1, at - open - 1), line});
            i = open;
            skipTo(end);
        } else if (c == '"' || c == '\'') {
            std::string value;
            std::size_t j = i + 1;
            for (; j < s.size() && s[j] != c; ++j) {
                value += s[j] == '\\' && j + 1 < s.size() ? unescaped(s[++j]) : s[j];
            }
            tokens.push_back({c == '"' ? TokenKind::String : TokenKind::Other, value, line});
            i = j + 1;
        } else if (isIdentChar(c)) {
            std::size_t j = i;
            while (j < s.size() && (isIdentChar(s[j]) || (s[j] == '\'' && c >= '0' && c <= '9'))) {
                ++j;
            }
            const bool number = c >= '0' && c <= '9';
            tokens.push_back(
                {number ? TokenKind::Other : TokenKind::Ident, s.substr(i, j - i), line});
            i = j;
        } else {
            static const std::set<std::string> kPairs{
                "::", "->", "==", "!=", "<=", ">=", "&&", "||", "+=", "-=", "|=", "&="};
            const std::string two = s.substr(i, 2);
            const std::size_t width = kPairs.count(two) != 0 ? 2 : 1;
            tokens.push_back({TokenKind::Punct, s.substr(i, width), line});
            i += width;
        }
    }
    return tokens;
}

using Range = std::pair<std::size_t, std::size_t>; // token indexes [first, second)

struct Function {
    std::string name; // empty for a lambda not stored in a variable
    std::size_t open; // its body's braces
    std::size_t close;
    std::vector<std::string> params;
};

struct SourceFile {
    std::string path;
    std::vector<Token> tokens;
    std::vector<std::size_t> match; // the partner of each bracket token
    std::vector<Function> functions;
    std::map<std::string, std::string> constants;

    bool is(std::size_t i, std::string_view text) const {
        return i < tokens.size() && tokens[i].kind != TokenKind::String && tokens[i].text == text;
    }
    bool isIdent(std::size_t i) const {
        return i < tokens.size() && tokens[i].kind == TokenKind::Ident;
    }
    std::string where(std::size_t i) const {
        return path + ":" + std::to_string(tokens[std::min(i, tokens.size() - 1)].line);
    }
    std::string text(Range r) const {
        std::string out;
        for (std::size_t i = r.first; i < r.second; ++i) {
            out += (out.empty() ? "" : " ") + tokens[i].text;
        }
        return out;
    }
    // The comma-separated parts of a bracketed list, nested brackets kept whole.
    std::vector<Range> split(std::size_t first, std::size_t last) const {
        std::vector<Range> parts;
        std::size_t start = first;
        for (std::size_t i = first; i < last; ++i) {
            if (is(i, "(") || is(i, "[") || is(i, "{")) {
                i = match[i];
            } else if (is(i, ",")) {
                parts.emplace_back(start, i);
                start = i + 1;
            }
        }
        if (start < last) {
            parts.emplace_back(start, last);
        }
        return parts;
    }
    std::size_t statementEnd(std::size_t i) const {
        while (i < tokens.size() && !is(i, ";")) {
            i = is(i, "(") || is(i, "[") || is(i, "{") ? match[i] + 1 : i + 1;
        }
        return i;
    }
    // The functions and lambdas whose bodies hold token i, innermost first.
    std::vector<const Function*> enclosing(std::size_t i) const {
        std::vector<const Function*> out;
        for (const Function& f : functions) {
            if (f.open < i && i < f.close) {
                out.push_back(&f);
            }
        }
        std::sort(out.begin(), out.end(), [](const Function* a, const Function* b) {
            return a->close - a->open < b->close - b->open;
        });
        return out;
    }
};

// Written like a nested group's path: capitalised words joined by "/", as "MainWindow/Menus".
bool isGroupPath(std::string_view text) {
    std::size_t words = 0;
    for (const std::string& word : split(text, "/")) {
        const bool capitalised = !word.empty() && word[0] >= 'A' && word[0] <= 'Z' &&
                                 std::all_of(word.begin(), word.end(), [](char c) {
                                     return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
                                 });
        if (!capitalised) {
            return false;
        }
        ++words;
    }
    return words >= 2;
}

// A parameter's name: the last identifier before its default value.
std::string paramName(const SourceFile& f, Range r) {
    std::string name;
    for (std::size_t i = r.first; i < r.second && !f.is(i, "="); ++i) {
        if (f.isIdent(i)) {
            name = f.tokens[i].text;
        }
    }
    return name;
}

SourceFile readSource(const std::filesystem::path& path, const std::filesystem::path& root) {
    SourceFile f;
    f.path = path.lexically_relative(root).string();
    f.tokens = tokenize(test::readFile(path));
    f.match.assign(f.tokens.size(), 0);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < f.tokens.size(); ++i) {
        if (f.is(i, "(") || f.is(i, "[") || f.is(i, "{")) {
            open.push_back(i);
        } else if ((f.is(i, ")") || f.is(i, "]") || f.is(i, "}")) && !open.empty()) {
            f.match[i] = open.back();
            f.match[open.back()] = i;
            open.pop_back();
        }
    }
    static const std::set<std::string> kNotFunctions{"if", "for", "while", "switch", "catch"};
    static const std::set<std::string> kQualifiers{"const", "noexcept", "override", "mutable"};
    for (std::size_t b = 1; b < f.tokens.size(); ++b) {
        if (!f.is(b, "{")) {
            continue;
        }
        std::size_t j = b - 1;
        while (j > 0 && f.isIdent(j) && kQualifiers.count(f.tokens[j].text) != 0) {
            --j;
        }
        if (!f.is(j, ")") || f.match[j] == 0) {
            continue;
        }
        const std::size_t paren = f.match[j];
        Function fn{{}, b, f.match[b], {}};
        if (f.isIdent(paren - 1) && kNotFunctions.count(f.tokens[paren - 1].text) == 0) {
            fn.name = f.tokens[paren - 1].text;
        } else if (f.is(paren - 1, "]")) {
            const std::size_t capture = f.match[paren - 1];
            if (capture >= 2 && f.is(capture - 1, "=") && f.isIdent(capture - 2)) {
                fn.name = f.tokens[capture - 2].text;
            }
        } else {
            continue;
        }
        for (const Range& p : f.split(paren + 1, j)) {
            fn.params.push_back(paramName(f, p));
        }
        f.functions.push_back(std::move(fn));
    }
    for (std::size_t i = 0; i + 2 < f.tokens.size(); ++i) {
        // Named constants follow the kName convention; other names are variables.
        const bool named = f.isIdent(i) && f.tokens[i].text.size() > 1 &&
                           f.tokens[i].text[0] == 'k' && f.tokens[i].text[1] >= 'A' &&
                           f.tokens[i].text[1] <= 'Z';
        if (named && f.is(i + 1, "=") && f.tokens[i + 2].kind == TokenKind::String) {
            std::string value;
            std::size_t j = i + 2;
            for (; j < f.tokens.size() && f.tokens[j].kind == TokenKind::String; ++j) {
                value += f.tokens[j].text;
            }
            if (f.is(j, ";")) {
                f.constants.emplace(f.tokens[i].text, value);
            }
        }
    }
    return f;
}

// What an expression handed to translate stands for: texts, or a parameter of the function
// around it (which then passes its own argument on to translate).
struct Resolved {
    std::vector<std::string> texts;
    std::optional<std::size_t> param;
    bool followed = true;
};

struct Uses {
    std::set<std::pair<std::string, std::string>> inContext; // (context, text)
    std::set<std::string> forwardedTexts;                    // context handed down as a parameter
    std::set<std::string> forwardedContexts;
    std::vector<std::string> unfollowed; // call sites the scan cannot read, with the reason
};

class SourceScan {
public:
    explicit SourceScan(const std::filesystem::path& root) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "src")) {
            const std::string ext = entry.path().extension().string();
            if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h")) {
                files_.push_back(readSource(entry.path(), root));
            }
        }
        for (const SourceFile& f : files_) {
            for (const auto& [name, value] : f.constants) {
                globals_.emplace(name, value);
            }
        }
    }

    Uses uses() {
        Uses out;
        std::vector<Translator> translators{{std::nullopt, "translate", 0, {}}};
        for (std::size_t t = 0; t < translators.size(); ++t) {
            const Translator tr = translators[t];
            for (std::size_t fi = 0; fi < files_.size(); ++fi) {
                if (!tr.file || *tr.file == fi) {
                    scanCalls(fi, tr, translators, out);
                }
            }
        }
        std::set<std::string> resolvedContexts;
        for (const auto& [context, text] : out.inContext) {
            resolvedContexts.insert(context);
        }
        for (const SourceFile& f : files_) {
            for (const Token& token : f.tokens) {
                if (token.kind == TokenKind::String && isGroupPath(token.text) &&
                    resolvedContexts.count(token.text) == 0) {
                    out.forwardedContexts.insert(token.text);
                }
            }
        }
        return out;
    }

private:
    // translate itself, or a helper that hands its parameter textArg to translate with a
    // context of its own (nullopt: handed down to it).
    struct Translator {
        std::optional<std::size_t> file;
        std::string name;
        std::size_t textArg;
        std::optional<std::optional<std::string>> context; // unset: translate's second argument
    };

    void scanCalls(std::size_t fi, const Translator& tr, std::vector<Translator>& translators,
                   Uses& out) {
        const SourceFile& f = files_[fi];
        for (std::size_t i = 1; i + 1 < f.tokens.size(); ++i) {
            if (!f.isIdent(i) || f.tokens[i].text != tr.name || !f.is(i + 1, "(") ||
                f.is(i - 1, ".") || f.is(i - 1, "->") || f.is(i - 1, "::") ||
                (f.isIdent(i - 1) && !f.is(i - 1, "return"))) {
                continue;
            }
            const std::size_t close = f.match[i + 1];
            if (f.is(close + 1, "{") || (f.is(close + 1, "const") && f.is(close + 2, "{"))) {
                continue; // the helper's own definition
            }
            const std::vector<Range> args = f.split(i + 2, close);
            if (args.size() <= tr.textArg) {
                out.unfollowed.push_back(f.where(i) + ": too few arguments");
                continue;
            }
            std::optional<std::string> context;
            if (tr.context) {
                context = *tr.context;
            } else if (args.size() < 2) {
                context = std::string();
            } else if (!resolveContext(f, args[1], i, context)) {
                out.unfollowed.push_back(f.where(i) + ": context " + f.text(args[1]));
                continue;
            }
            const Resolved text = resolve(fi, args[tr.textArg], i, 0);
            const std::vector<const Function*> around = f.enclosing(i);
            if (!text.followed || (text.param && (around.empty() || around[0]->name.empty()))) {
                out.unfollowed.push_back(f.where(i) + ": text " + f.text(args[tr.textArg]));
                continue;
            }
            if (text.param) {
                const std::string& helper = around[0]->name;
                const bool known =
                    std::any_of(translators.begin(), translators.end(), [&](const Translator& t) {
                        return t.file == fi && t.name == helper;
                    });
                if (!known) {
                    translators.push_back(
                        {fi, helper, *text.param,
                         std::optional<std::optional<std::string>>(std::in_place, context)});
                }
            }
            for (const std::string& value : text.texts) {
                if (context) {
                    out.inContext.emplace(*context, value);
                } else {
                    out.forwardedTexts.insert(value);
                }
            }
        }
    }

    // A literal or named constant gives the context; a parameter of an enclosing function
    // means it is handed down (context stays nullopt).
    bool resolveContext(const SourceFile& f, Range r, std::size_t at,
                        std::optional<std::string>& context) const {
        if (std::optional<std::string> value = literal(f, r)) {
            context = *value;
            return true;
        }
        if (r.second != r.first + 1 || !f.isIdent(r.first)) {
            return false;
        }
        const std::string& name = f.tokens[r.first].text;
        if (std::optional<std::string> value = constant(f, name)) {
            context = *value;
            return true;
        }
        for (const Function* fn : f.enclosing(at)) {
            if (std::find(fn->params.begin(), fn->params.end(), name) != fn->params.end()) {
                context.reset();
                return true;
            }
        }
        return false;
    }

    std::optional<std::string> literal(const SourceFile& f, Range r) const {
        std::string value;
        for (std::size_t i = r.first; i < r.second; ++i) {
            if (f.tokens[i].kind != TokenKind::String) {
                return std::nullopt;
            }
            value += f.tokens[i].text;
        }
        return r.first < r.second ? std::optional<std::string>(value) : std::nullopt;
    }

    std::optional<std::string> constant(const SourceFile& f, const std::string& name) const {
        auto local = f.constants.find(name);
        if (local != f.constants.end()) {
            return local->second;
        }
        auto global = globals_.find(name);
        return global != globals_.end() ? std::optional<std::string>(global->second) : std::nullopt;
    }

    Resolved resolve(std::size_t fi, Range r, std::size_t at, int depth) const {
        const SourceFile& f = files_[fi];
        Resolved out;
        if (std::optional<std::string> value = literal(f, r)) {
            out.texts.push_back(*value);
            return out;
        }
        out.followed = false;
        if (depth > 4 || r.first >= r.second) {
            return out;
        }
        const std::size_t last = r.second - 1;
        if (r.second == r.first + 1 && f.isIdent(r.first)) {
            return resolveName(fi, f.tokens[r.first].text, at, depth);
        }
        if (f.isIdent(last) && (f.is(last - 1, ".") || f.is(last - 1, "->"))) {
            return resolveField(f, f.tokens[last].text);
        }
        if (f.isIdent(r.first) && f.is(r.first + 1, "(") && f.match[r.first + 1] == last) {
            return resolveReturns(f.tokens[r.first].text, depth);
        }
        return out;
    }

    Resolved resolveName(std::size_t fi, const std::string& name, std::size_t at, int depth) const {
        const SourceFile& f = files_[fi];
        Resolved out;
        const std::vector<const Function*> around = f.enclosing(at);
        if (!around.empty()) {
            const auto& params = around[0]->params;
            const auto p = std::find(params.begin(), params.end(), name);
            if (p != params.end()) {
                out.param = static_cast<std::size_t>(p - params.begin());
                return out;
            }
        }
        if (std::optional<std::string> value = constant(f, name)) {
            out.texts.push_back(*value);
            return out;
        }
        // A local variable: every value assigned to it in the function.
        out.followed = !around.empty();
        if (!out.followed) {
            return out;
        }
        bool assigned = false;
        for (std::size_t i = around[0]->open; i < around[0]->close; ++i) {
            if (f.isIdent(i) && f.tokens[i].text == name && f.is(i + 1, "=")) {
                const Resolved value = resolve(fi, {i + 2, f.statementEnd(i + 2)}, i, depth + 1);
                out.followed = out.followed && value.followed && !value.param;
                out.texts.insert(out.texts.end(), value.texts.begin(), value.texts.end());
                assigned = true;
            }
        }
        out.followed = out.followed && assigned;
        return out;
    }

    // Every string at the field's place in the tables of the structs that have that field.
    Resolved resolveField(const SourceFile& f, const std::string& field) const {
        Resolved out;
        for (std::size_t s = 0; s + 2 < f.tokens.size(); ++s) {
            if (!f.is(s, "struct") || !f.isIdent(s + 1) || !f.is(s + 2, "{")) {
                continue;
            }
            const std::size_t body = s + 2;
            std::size_t index = 0;
            std::optional<std::size_t> place;
            for (std::size_t m = body + 1; m < f.match[body]; ++index) {
                const std::size_t end = std::min(f.statementEnd(m), f.match[body]);
                if (paramName(f, {m, end}) == field) {
                    place = index;
                }
                m = end + 1;
            }
            if (place) {
                collectTable(f, f.tokens[s + 1].text, *place, out.texts);
            }
        }
        out.followed = !out.texts.empty();
        return out;
    }

    void collectTable(const SourceFile& f, const std::string& type, std::size_t place,
                      std::vector<std::string>& texts) const {
        for (std::size_t t = 1; t < f.tokens.size(); ++t) {
            if (!f.isIdent(t) || f.tokens[t].text != type || f.is(t - 1, "struct")) {
                continue;
            }
            std::size_t k = t + 1;
            while (k < f.tokens.size() && !f.is(k, "{") && !f.is(k, ";") && !f.is(k, "(") &&
                   !f.is(k, ")") && !f.is(k, ":")) {
                ++k;
            }
            if (!f.is(k, "{")) {
                continue;
            }
            for (std::size_t g = k; g < f.match[k]; ++g) {
                const bool innermost =
                    f.is(g, "{") &&
                    std::none_of(
                        f.tokens.begin() + static_cast<std::ptrdiff_t>(g + 1),
                        f.tokens.begin() + static_cast<std::ptrdiff_t>(f.match[g]),
                        [](const Token& x) { return x.kind == TokenKind::Punct && x.text == "{"; });
                if (!innermost) {
                    continue;
                }
                const std::vector<Range> elements = f.split(g + 1, f.match[g]);
                if (place < elements.size()) {
                    if (std::optional<std::string> value = literal(f, elements[place])) {
                        texts.push_back(*value);
                    }
                }
            }
        }
    }

    // The values a function returns, wherever it is defined.
    Resolved resolveReturns(const std::string& name, int depth) const {
        Resolved out;
        out.followed = false;
        for (std::size_t fi = 0; fi < files_.size(); ++fi) {
            const SourceFile& f = files_[fi];
            for (const Function& fn : f.functions) {
                if (fn.name != name) {
                    continue;
                }
                out.followed = true;
                for (std::size_t i = fn.open; i < fn.close; ++i) {
                    if (!f.is(i, "return") || f.is(i + 1, "{")) {
                        continue; // an empty result ("return {};") holds no text
                    }
                    const Resolved value =
                        resolve(fi, {i + 1, f.statementEnd(i + 1)}, i, depth + 1);
                    out.followed = out.followed && value.followed && !value.param;
                    out.texts.insert(out.texts.end(), value.texts.begin(), value.texts.end());
                }
            }
        }
        return out;
    }

    std::vector<SourceFile> files_;
    std::map<std::string, std::string> globals_;
};

const Uses& codeUses() {
    static const Uses uses = SourceScan(test::sourceDir()).uses();
    return uses;
}

std::filesystem::path languagesDir() {
    return test::sourceDir() / "assets" / "languages";
}

const Translation& english() {
    static const Translation file = [] {
        Translation t;
        EXPECT_TRUE(t.load((languagesDir() / "english.xml").string()));
        return t;
    }();
    return file;
}

std::vector<std::filesystem::path> otherLanguages() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(languagesDir())) {
        if (entry.path().extension() == ".xml" && entry.path().stem() != "english") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::set<std::pair<std::string, std::string>> itemKeys(const Translation& t) {
    std::set<std::pair<std::string, std::string>> keys;
    for (const TranslationItem& item : t.items()) {
        keys.emplace(item.group, item.source);
    }
    return keys;
}

TEST(LanguageFilesTest, EveryTranslatedTextIsInTheEnglishFile) {
    const Uses& uses = codeUses();
    for (const std::string& site : uses.unfollowed) {
        ADD_FAILURE() << "the scan cannot follow this translate call: " << site;
    }
    EXPECT_GT(uses.inContext.size(), 50u);
    for (const auto& [context, text] : uses.inContext) {
        EXPECT_NE(english().find(text, context), nullptr)
            << "english.xml lacks \"" << text << "\" in group \"" << context << "\"";
    }
    for (const std::string& text : uses.forwardedTexts) {
        const bool found = std::any_of(
            uses.forwardedContexts.begin(), uses.forwardedContexts.end(),
            [&](const std::string& context) { return english().find(text, context) != nullptr; });
        EXPECT_TRUE(found) << "english.xml lacks \"" << text << "\" in every group the code "
                           << "hands down as a context";
    }
}

TEST(LanguageFilesTest, EveryEnglishItemIsUsed) {
    const Uses& uses = codeUses();
    for (const TranslationItem& item : english().items()) {
        const bool used = uses.inContext.count({item.group, item.source}) != 0 ||
                          uses.inContext.count({"", item.source}) != 0 ||
                          (uses.forwardedContexts.count(item.group) != 0 &&
                           uses.forwardedTexts.count(item.source) != 0);
        EXPECT_TRUE(used) << "english.xml holds \"" << item.source << "\" in group \"" << item.group
                          << "\", which the code never translates";
    }
}

TEST(LanguageFilesTest, EveryLanguageHasExactlyTheEnglishItems) {
    const auto expected = itemKeys(english());
    const std::vector<std::filesystem::path> files = otherLanguages();
    EXPECT_FALSE(files.empty());
    for (const std::filesystem::path& file : files) {
        const std::string name = file.filename().string();
        Translation language;
        ASSERT_TRUE(language.load(file.string())) << name << " does not load";
        EXPECT_FALSE(language.language().empty()) << name;
        const auto keys = itemKeys(language);
        for (const auto& [group, source] : expected) {
            EXPECT_EQ(keys.count({group, source}), 1u)
                << name << " lacks \"" << source << "\" in group \"" << group << "\"";
        }
        for (const auto& [group, source] : keys) {
            EXPECT_EQ(expected.count({group, source}), 1u)
                << name << " holds \"" << source << "\" in group \"" << group
                << "\", which english.xml does not";
        }
        EXPECT_EQ(language.items().size(), english().items().size()) << name << " repeats items";
    }
}

// The interface font, or the face fontconfig falls back to for a character it lacks, draws
// every character of every language: none shows as an empty box. With SCALORA_KEEP_PNG set,
// each language's main window texts are drawn into <language>.png there, to be looked at.
TEST(LanguageFilesTest, EveryCharacterOfEveryLanguageHasAGlyph) {
    setScreenDpi(96);
    const std::shared_ptr<FontFace> face = FontFace::get(UIFont::defaultFamily(), 12, false, false);
    ASSERT_NE(face, nullptr);
    std::vector<FontFace::PlacedGlyph> placed;
    // A noncharacter no font has: what a missing glyph looks like.
    face->layout(U"\U0010FFFF", &placed);
    ASSERT_EQ(placed.size(), 1u);
    const FontFace::Glyph* missing = placed[0].glyph;
    const char* keep = std::getenv("SCALORA_KEEP_PNG");
    for (const std::filesystem::path& file : otherLanguages()) {
        Translation language;
        ASSERT_TRUE(language.load(file.string())) << file;
        std::set<char32_t> lacking;
        for (const TranslationItem& item : language.items()) {
            const std::string& text = item.translation;
            for (std::size_t pos = 0; pos < text.size();) {
                const char32_t c = decodeUtf8(text, pos);
                placed.clear();
                face->layout(std::u32string(1, c), &placed);
                if (c >= 0x20 && (placed.empty() || placed[0].glyph == missing)) {
                    lacking.insert(c);
                }
            }
        }
        for (char32_t c : lacking) {
            ADD_FAILURE() << file.filename().string() << ": no installed font draws U+" << std::hex
                          << static_cast<std::uint32_t>(c)
                          << " (the CJK languages need the package fonts-noto-cjk)";
        }
        if (keep != nullptr) {
            Canvas canvas(360, 16 * 14);
            canvas.clear(0xFFFFFFFF);
            const UIFont font(UIFont::defaultFamily(), 9);
            std::int32_t y = 2;
            for (const TranslationItem& item : language.items()) {
                if (item.group == "MainWindow") {
                    canvas.drawText(font, Point{4, y}, item.translation, 0xFF000000);
                    y += 16;
                }
            }
            EXPECT_TRUE(test::writePng(canvas.image(), std::filesystem::path(keep) /
                                                           (file.stem().string() + ".png")));
        }
    }
    setScreenDpi(0);
}

} // namespace
} // namespace scalora
