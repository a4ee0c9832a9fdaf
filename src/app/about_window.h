// The About window: the logo, the version, "Freeware", the product's web address as a link
// and the company line; "Ok", Escape or the close box close it.
#pragma once

#include "app/dialog_window.h"

#include <string>

namespace scalora {

class UIButton;
class UILabel;
class UILink;
class UIPicture;

struct AboutContent {
    std::string version;    // "1.2.5"; shown as "v1.2.5"
    std::string productUrl; // shown and opened by the link
    std::string companyName;
    int year = 0; // of the company line
};

// The application's version, product URL and company, and the current year.
AboutContent currentAboutContent();

class AboutWindow : public DialogWindow {
public:
    AboutWindow(UIWindow* owner, const AboutContent& content);

    UIPicture& logo() const { return *logo_; }
    UILabel& versionLabel() const { return *version_; }
    UILink& link() const { return *link_; }
    UILabel& companyLabel() const { return *company_; }
    UIButton& okButton() const { return *ok_; }

private:
    UIPicture* logo_ = nullptr;
    UILabel* version_ = nullptr;
    UILink* link_ = nullptr;
    UILabel* company_ = nullptr;
    UIButton* ok_ = nullptr;
};

// Builds the window from the application's identity, runs it modally over owner and destroys it.
void runAboutWindow(UIWindow* owner);

} // namespace scalora
