// Property sheet and pages: pages are template windows exchanging their
// members with their controls; the sheet shows them as tabs and, on OK,
// validates every page that was shown before it ends with IDOK.
#pragma once

#include "ui/framework/Dialog.h"

#include <QPointer>
#include <vector>

class QTabWidget;

namespace tb::ui {

class PropertyPage : public Window {
    Q_OBJECT
public:
    PropertyPage(int templateId, const QString& tabTitle);
    PropertyPage(const res::DialogTemplate& tmpl, const QString& tabTitle);
    QString tabTitle() const { return m_tabTitle; }
    // Called once, the first time the page is shown; puts the members in.
    virtual void OnInitPage() { UpdateData(false); }

private:
    QString m_tabTitle;
};

class PropertySheet : public Dialog {
    Q_OBJECT
public:
    explicit PropertySheet(const QString& caption, QWidget* parent = nullptr);
    ~PropertySheet() override; // hands the pages back to their owner

    // Pages stay owned by the caller (members of the sheet's subclass as a rule).
    void AddPage(PropertyPage* page);
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    PropertyPage* page(int index) const { return m_pages.at(index).data(); }
    void SetActivePage(int index);
    int activeIndex() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void initPage(int index);
    QTabWidget* m_tabs = nullptr;
    // Pages that are members of a subclass are gone before this base is destroyed.
    std::vector<QPointer<PropertyPage>> m_pages;
    std::vector<bool> m_initialised;
};

} // namespace tb::ui
