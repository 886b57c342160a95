#include "ui/framework/Dialog.h"

#include "ui/framework/Framework.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace tb::ui {
namespace {

Dialog::ModalHook& Hook() {
    static Dialog::ModalHook hook;
    return hook;
}

} // namespace

Dialog::Dialog(int templateId, QWidget* parent) : Window(templateId, parent) {
    setWindowFlags(Qt::Dialog);
}

Dialog::Dialog(const res::DialogTemplate& tmpl, QWidget* parent) : Window(tmpl, parent) {
    setWindowFlags(Qt::Dialog);
}

Dialog::Dialog(const QString& title, QSize designSize, QWidget* parent)
    : Window(title, designSize, parent) {
    setWindowFlags(Qt::Dialog);
}

Dialog::~Dialog() {
    if (m_loop) m_loop->exit(); // destroyed while running: let the caller return
}

Dialog::ModalHook Dialog::SetModalHook(ModalHook hook) {
    ModalHook old = std::move(Hook());
    Hook() = std::move(hook);
    return old;
}

int Dialog::DoModal() {
    if (m_running) return -1; // already running: a second run would nest on itself
    m_result = IDCANCEL;
    m_ended = false;
    m_running = true;
    OnInitDialog();
    if (!m_ended) {
        coverHostWindow();
        setWindowModality(Qt::ApplicationModal);
        show();
        activateWindow();
        if (Hook()) {
            QPointer<Dialog> self(this);
            QTimer::singleShot(0, this, [self] {
                if (self && self->m_running && !self->m_ended && Hook()) Hook()(*self);
            });
        }
    }
    if (!m_ended) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        m_loop = nullptr;
    }
    m_running = false;
    hide();
    return m_result;
}

void Dialog::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    if (m_loop) m_loop->exit();
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool Dialog::OnUnhandledCommand(int id) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void Dialog::closeEvent(QCloseEvent* event) {
    // The window manager's close is the cancel command, as on the handset.
    if (m_running && !m_ended) {
        event->ignore();
        SendCommand(IDCANCEL);
        return;
    }
    Window::closeEvent(event);
}

// Full screen as on the handset: over the main window, or at the handset's
// size when there is none.
void Dialog::coverHostWindow() {
    QWidget* host = MainWindow();
    if (host == this) host = nullptr;
    if (host && host->isVisible()) {
        setGeometry(host->geometry());
    } else if (!isVisible()) {
        resize(Lp(kHandsetWidth), Lp(kHandsetHeight));
    }
}

} // namespace tb::ui
