// The program's top-level window: a view (a form on a template) that scrolls
// when the window is smaller than its design, an optional soft-key bar and
// accelerators. Opens at the handset's portrait size; any size stays usable.
#pragma once

#include "ui/framework/CommandTarget.h"

#include <QKeySequence>
#include <QMainWindow>

class QVBoxLayout;

namespace tb::ui {

class SoftKeyBar;
class Window;

class FrameWindow : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    explicit FrameWindow(QWidget* parent = nullptr);

    // Takes ownership; commands the frame does not handle go to the view.
    void SetView(Window* view);
    Window* view() const { return m_view; }

    // The soft-key bar of a menu resource at the bottom; its commands reach the
    // frame's map, then the view's. False when the menu does not exist.
    bool CreateSoftKeyBar(int menuId);
    SoftKeyBar* softKeyBar() const { return m_softKeyBar; }

    // A shortcut that sends a command to the frame.
    void AddAccelerator(const QKeySequence& keys, int command);

protected:
    CommandTarget* NextTarget() override;

private:
    QWidget* m_client = nullptr;
    QVBoxLayout* m_clientLayout = nullptr;
    Window* m_view = nullptr;
    SoftKeyBar* m_softKeyBar = nullptr;
};

} // namespace tb::ui
