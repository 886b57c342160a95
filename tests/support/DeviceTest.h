// Base fixture: every test runs on its own temporary handset (device folder),
// with a fixed clock, no injected faults and every message box recorded.
#pragma once

#include "platform/Device.h"
#include "platform/MessageBox.h"
#include "platform/Time.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

struct RecordedBox {
    QString text;
    QString caption;
    unsigned flags = 0;
};

// Records every box and answers with the queued answers, then with the default
// (IDOK, or IDYES for a Yes/No box unless told otherwise).
class MessageBoxRecorder {
public:
    void install();
    void uninstall();
    void answerNext(int answer) { m_answers.push_back(answer); }
    void setDefaultYesNoAnswer(int answer) { m_yesNoDefault = answer; }
    const std::vector<RecordedBox>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }
    // Texts of the boxes shown, for compact assertions.
    std::vector<QString> texts() const;

private:
    int answer(const QString& text, const QString& caption, unsigned flags);
    std::vector<RecordedBox> m_shown;
    std::deque<int> m_answers;
    int m_yesNoDefault = plat::IDYES;
};

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Host path of the device folder and of a handset path on it.
    QString deviceDir() const { return m_dir->path(); }
    static QString host(const QString& handsetPath) { return plat::ToHostPath(handsetPath); }
    QByteArray readFile(const QString& handsetPath) const { return readHost(host(handsetPath)); }
    static QByteArray readHost(const QString& hostPath); // empty if missing
    void writeFile(const QString& handsetPath, const QByteArray& bytes) const;
    bool fileExists(const QString& handsetPath) const {
        return QFileInfo::exists(host(handsetPath));
    }
    // Permission bits of a host path or a handset path (starting with '\\'); 0 if missing.
    unsigned fileMode(const QString& path) const;
    // A fixture from tests/data.
    static QByteArray fixture(const QString& name);
    // The clock the test starts with: 2008-03-10 12:34:56 (a Monday).
    static constexpr plat::TimeValue kTestNow = 1205152496;

    MessageBoxRecorder boxes;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};
