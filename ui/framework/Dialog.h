// A modal dialog on a template: shown full-screen over the main window, as on
// the handset, and run until EndDialog gives its result code.
//
//   CAmountDlg dlg(&doc);
//   dlg.m_nAmount = record.amount;
//   if (dlg.DoModal() == IDOK) ...
#pragma once

#include "ui/framework/Window.h"

#include <functional>

class QEventLoop;

namespace tb::ui {

class Dialog : public Window {
    Q_OBJECT
public:
    explicit Dialog(int templateId, QWidget* parent = nullptr);
    explicit Dialog(const res::DialogTemplate& tmpl, QWidget* parent = nullptr);
    Dialog(const QString& title, QSize designSize, QWidget* parent = nullptr);
    ~Dialog() override;

    // Runs OnInitDialog, shows the dialog and returns the code EndDialog set
    // (IDCANCEL when it was closed by the window manager); -1 when the dialog
    // is already running.
    int DoModal();
    // Ends the modal run with `result`; may be called before the run starts
    // (from OnInitDialog), which then returns at once.
    void EndDialog(int result);
    // True from the start of the modal run until EndDialog asks it to end.
    bool IsRunning() const { return m_running && !m_ended; }

    // Tests and tools: called (from the event loop, just after the dialog is
    // shown) each time any dialog starts a modal run. Returns the old hook.
    using ModalHook = std::function<void(Dialog&)>;
    static ModalHook SetModalHook(ModalHook hook);

protected:
    // The base puts the members into the controls; overrides call it first.
    virtual bool OnInitDialog();
    // IDOK: validate and end with IDOK. IDCANCEL: end with IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();

    bool OnUnhandledCommand(int id) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void coverHostWindow();

    int m_result = IDCANCEL;
    bool m_running = false;
    bool m_ended = false;
    QEventLoop* m_loop = nullptr;
};

} // namespace tb::ui
