#pragma once
// A frame on the offscreen platform with scripted dialogs, fresh options and a folder of its own
// for the files a test writes. Commands are driven through their actions, by name.

#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "settings/options.h"
#include "support/scripted_modal.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace ombre::test {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Morvandel"))
            .removeRecursively();
        ProgramOptions() = TProgramOptions();
        ProgramOptions().Open = folder.path();
        ProgramOptions().Desktop = false;
        form = std::make_unique<TMainForm>();
        form->show();
        settle();
    }

    void TearDown() override
    {
        form.reset();
        settle();
        EXPECT_TRUE(modal.allAnswered()) << "a scripted answer was not used";
    }

    // Lets closed windows go and queued work run.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QAction &item(const char *name) const
    {
        QAction *a = form->action(QLatin1String(name));
        if (!a)
            ADD_FAILURE() << "no action " << name;
        return *a;
    }

    void run(const char *name)
    {
        item(name).trigger();
        settle();
    }

    TMDIChild &active() const
    {
        if (!form->ActiveChild)
            throw std::runtime_error("no active document");
        return *form->ActiveChild;
    }

    QString path(const QString &name) const { return folder.filePath(name); }

    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Opens `path` through the open dialog.
    TMDIChild &open(const QString &path)
    {
        modal.answerOpenFile(path);
        run("FileOpenItem");
        return active();
    }

    void type(const QString &text) { active().RichEdit->insertPlainText(text); }

    // Selects [from, to) of the active document; the caret ends at `to`.
    void select(int from, int to)
    {
        QTextCursor cursor = active().RichEdit->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        active().RichEdit->setTextCursor(cursor);
    }

    std::vector<QString> messageTexts() const
    {
        std::vector<QString> texts;
        for (const auto &shown : modal.messages())
            texts.push_back(shown.text);
        return texts;
    }

    QTemporaryDir folder;
    ScriptedModal modal;
    std::unique_ptr<TMainForm> form;
};

} // namespace ombre::test
