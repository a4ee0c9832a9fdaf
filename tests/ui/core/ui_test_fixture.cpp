#include "ui_test_fixture.h"

namespace scalora::test {

const char* eventName(UIEventType type) {
    switch (type) {
    case UIEventType::Timer:
        return "Timer";
    case UIEventType::Paint:
        return "Paint";
    case UIEventType::Resize:
        return "Resize";
    case UIEventType::Show:
        return "Show";
    case UIEventType::Hide:
        return "Hide";
    case UIEventType::Move:
        return "Move";
    case UIEventType::MousePress:
        return "MousePress";
    case UIEventType::MouseRelease:
        return "MouseRelease";
    case UIEventType::MouseClick:
        return "MouseClick";
    case UIEventType::MouseDoubleClick:
        return "MouseDoubleClick";
    case UIEventType::MouseMove:
        return "MouseMove";
    case UIEventType::MouseLeave:
        return "MouseLeave";
    case UIEventType::MouseEnter:
        return "MouseEnter";
    case UIEventType::Close:
        return "Close";
    case UIEventType::ContextMenu:
        return "ContextMenu";
    case UIEventType::FocusIn:
        return "FocusIn";
    case UIEventType::FocusOut:
        return "FocusOut";
    case UIEventType::HotKey:
        return "HotKey";
    case UIEventType::DragEnter:
        return "DragEnter";
    case UIEventType::DragMove:
        return "DragMove";
    case UIEventType::DragLeave:
        return "DragLeave";
    case UIEventType::Drop:
        return "Drop";
    case UIEventType::KeyPress:
        return "KeyPress";
    case UIEventType::KeyRelease:
        return "KeyRelease";
    case UIEventType::Wheel:
        return "Wheel";
    case UIEventType::EnabledChange:
        return "EnabledChange";
    case UIEventType::WindowStateChange:
        return "WindowStateChange";
    case UIEventType::ExternalMessage:
        return "ExternalMessage";
    }
    return "?";
}

RecordingElement::RecordingElement(UIElement* parent, std::string name, EventLog* log)
    : UIElement(parent), name_(std::move(name)), log_(log) {
    setStyleClass("RecordingElement");
}

RecordingElement::~RecordingElement() {
    if (destroyed != nullptr) {
        *destroyed = true;
    }
}

void RecordingElement::keyPressEvent(UIEvent& e) {
    record(e);
    if (acceptKeys) {
        e.accept();
    }
}

void RecordingElement::record(const UIEvent& e) {
    if (e.type == UIEventType::Paint) {
        return;
    }
    lastEvent = e;
    if (log_ != nullptr) {
        log_->push_back(name_ + ":" + eventName(e.type));
    }
}

RecordingWindow::RecordingWindow(std::string name, EventLog* log, std::uint32_t options)
    : UIWindow(nullptr, options), name_(std::move(name)), log_(log) {
    setStyleClass("UIWindow");
}

void RecordingWindow::keyPressEvent(UIEvent& e) {
    record(e);
    if (acceptKeys) {
        e.accept();
    }
}
void RecordingWindow::keyReleaseEvent(UIEvent& e) {
    record(e);
}
void RecordingWindow::closeEvent(UIEvent& e) {
    record(e);
}
void RecordingWindow::changeEvent(UIEvent& e) {
    record(e);
}
void RecordingWindow::externalMessageEvent(UIEvent& e) {
    record(e);
}

void RecordingWindow::record(const UIEvent& e) {
    if (log_ != nullptr) {
        log_->push_back(name_ + ":" + eventName(e.type));
    }
}

UITest::UITest() {
    auto system = std::make_unique<HeadlessWindowSystem>();
    system_ = system.get();
    toolkit_ = std::make_unique<UIToolkit>(std::move(system));
}

UITest::~UITest() = default;

RecordingWindow* UITest::makeWindow(Size size) {
    auto* w = new RecordingWindow("win", &log);
    w->setGeometry({100, 50, size.width, size.height});
    w->show();
    toolkit_->processEvents();
    return w;
}

RecordingElement* UITest::makeChild(UIElement* parent, const std::string& name,
                                    const Rect& geometry) {
    auto* e = new RecordingElement(parent, name, &log);
    e->setGeometry(geometry);
    e->show();
    return e;
}

std::vector<std::string> UITest::logOf(const std::string& name) const {
    std::vector<std::string> out;
    for (const std::string& entry : log) {
        if (entry.rfind(name + ":", 0) == 0) {
            out.push_back(entry.substr(name.size() + 1));
        }
    }
    return out;
}

} // namespace scalora::test
