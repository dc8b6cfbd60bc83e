#pragma once

#include "platform/widgets/FileDialogs.h"
#include "tests/support/TestSupport.h"

#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

class frmMain;

// Stands in for the channel grid page: it commits a typed value when it is
// validated, as the real page commits its cell editor.
class FakeGridPage final : public QWidget,
                           public TestSupport::GridCalls,
                           public Platform::Forms::Committing {
    Q_OBJECT
public:
    FakeGridPage();
    void ValidateControls() override;
    void SetEditDisable() override { ++editDisabled; }
    void InvalidEdit() override { ++invalidated; }

    static inline bool pendingTypedValue = false; // a value is typed but not committed
    static inline int validated = 0;
    static inline int editDisabled = 0;
    static inline int invalidated = 0;
};

// File dialogs that answer from queues and record what they were asked.
class FakeFileDialogs final : public Platform::FileDialogs::Service {
public:
    FakeFileDialogs();
    ~FakeFileDialogs() override;
    QString GetOpenFileName(QWidget*, const QString& filter, const QString&) override;
    QString GetSaveFileName(QWidget*, const QString& filter, const QString& initialPath,
                            const QString& defaultSuffix) override;

    QStringList openAnswers; // "" cancels
    QStringList saveAnswers;
    int opened = 0;
    int saved = 0;
    QString lastFilter;
    QString lastInitialPath;
    QString lastSuffix;
};

// A program folder with its default configurations, English texts, default
// settings, the fake grid page and a private user-settings store.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the main window (the fake grid page opens with it).
    frmMain* LoadMain();
    // Fixture texts that make captions easy to check.
    void UseFixtureTexts();
    // Makes the working copy differ from the saved one.
    static void ModifyData();
    static int LoadedCount(const QString& name);
    QString MessageText(int i) const { return messages.shown.value(i).text; }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    FakeFileDialogs dialogs;
    QTemporaryDir store;
    QTemporaryDir files;
    QPointer<frmMain> main;
};
