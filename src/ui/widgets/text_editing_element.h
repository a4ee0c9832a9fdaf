// The event hooks every text editing widget hands to its TextEditor, on top of whatever base
// the widget has (a plain element for the line edit, the text edit's view).
#pragma once

#include "ui/core/ui_element.h"
#include "ui/widgets/text_editor.h"

namespace scalora {

template <typename Base> class TextEditingElement : public Base {
public:
    using Base::Base;

protected:
    virtual TextEditor& textEditor() = 0;

    void keyPressEvent(UIEvent& e) override {
        if (textEditor().keyPress(e)) {
            e.accept();
        }
    }
    void mousePressEvent(UIEvent& e) override { textEditor().mousePress(e); }
    void mouseReleaseEvent(UIEvent& e) override { textEditor().mouseRelease(e); }
    void mouseDoubleClickEvent(UIEvent& e) override { textEditor().mouseDoubleClick(e); }
    void mouseMoveEvent(UIEvent& e) override { textEditor().mouseMove(e); }
    void timerEvent(UIEvent& e) override { textEditor().timer(e); }
    void focusInEvent(UIEvent&) override { textEditor().focusIn(); }
    void focusOutEvent(UIEvent&) override { textEditor().focusOut(); }
    void showEvent(UIEvent&) override { textEditor().shown(); }
    void hideEvent(UIEvent&) override { textEditor().hidden(); }
    void changeEvent(UIEvent&) override { this->update(); }
    void dragEnterEvent(UIEvent& e) override {
        if (textEditor().acceptsDrag(e)) {
            e.accept();
        }
    }
    void dragMoveEvent(UIEvent& e) override {
        if (textEditor().acceptsDrag(e)) {
            e.accept();
        }
    }
    void dropEvent(UIEvent& e) override { textEditor().drop(e); }
};

} // namespace scalora
