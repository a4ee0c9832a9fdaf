// The translate operation every user-visible text passes through: the English source text and
// an optional context (a group path such as "MainWindow/ToolTips") give the text in the
// current language. Safe to call from any thread.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace scalora {

class Translation;

// The current translation's text for (text, context): an item's translated text, or its source
// text as written when the translation is empty. Without a match, or with no translation, the
// text itself after substituteText.
std::string translate(std::string_view text, std::string_view context = {});

// Applies, in order: "\r" and "\t" (backslash and letter) removed, "\n" (backslash, n) and "|"
// become line feeds, "%app" becomes the application name.
std::string substituteText(std::string_view text);
// The name "%app" stands for; set once at start-up.
void setApplicationName(std::string_view name);

// Replaces the current translation (nullptr for none); the old one is destroyed.
void installTranslation(std::unique_ptr<Translation> translation);
// The file of the current translation; empty when there is none.
std::string currentTranslationPath();

} // namespace scalora
