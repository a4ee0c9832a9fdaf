#include "exchange/xdnd_formats.h"
#include "ui/core/ui_event.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(XdndMapping, OfferedTypesBecomeFormatNamesOnce) {
    EXPECT_EQ(formatsForXdndTypes({"text/uri-list", "text/plain;charset=utf-8", "UTF8_STRING",
                                   "x-special/gnome-copied-files"}),
              (std::vector<std::string>{"text/file-path-list", "text/plain"}));
    EXPECT_EQ(formatsForXdndTypes({"STRING"}), (std::vector<std::string>{"text/plain"}));
    EXPECT_TRUE(formatsForXdndTypes({"image/png", "application/octet-stream"}).empty());
    EXPECT_TRUE(formatsForXdndTypes({}).empty());
}

TEST(XdndMapping, EveryActionAllowsCopy) {
    EXPECT_EQ(actionsForXdndAction("XdndActionCopy"), kDropCopy);
    EXPECT_EQ(actionsForXdndAction("XdndActionMove"), kDropCopy | kDropMove);
    EXPECT_EQ(actionsForXdndAction("XdndActionLink"), kDropCopy | kDropLink);
    EXPECT_EQ(actionsForXdndAction("XdndActionAsk"), kDropCopy | kDropMove | kDropLink);
    EXPECT_EQ(actionsForXdndAction("XdndActionPrivate"), kDropCopy);
    EXPECT_EQ(actionsForXdndAction(""), kDropCopy);
}

} // namespace
} // namespace scalora
