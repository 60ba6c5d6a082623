#include "support/scripted_modal.h"

#include <gtest/gtest.h>

namespace ombre::test {
namespace {

const char *kindName(ScriptedModal::Kind kind)
{
    switch (kind) {
    case ScriptedModal::Kind::Message: return "message box";
    case ScriptedModal::Kind::OpenFile: return "open dialog";
    case ScriptedModal::Kind::OpenFiles: return "multiple open dialog";
    case ScriptedModal::Kind::SaveFile: return "save dialog";
    case ScriptedModal::Kind::Directory: return "folder dialog";
    case ScriptedModal::Kind::Font: return "font dialog";
    case ScriptedModal::Kind::Color: return "colour dialog";
    case ScriptedModal::Kind::Dialog: return "modal form";
    case ScriptedModal::Kind::FontAndColor: return "font and colour dialog";
    }
    return "?";
}

} // namespace

void ScriptedModal::answerMessage(QMessageBox::StandardButton button)
{
    Answer a(Kind::Message);
    a.button = button;
    answers_.push_back(std::move(a));
}

void ScriptedModal::answerOpenFile(const QString &path)
{
    Answer a(Kind::OpenFile);
    if (!path.isEmpty())
        a.paths << path;
    answers_.push_back(std::move(a));
}

void ScriptedModal::answerOpenFiles(const QStringList &paths)
{
    Answer a(Kind::OpenFiles);
    a.paths = paths;
    answers_.push_back(std::move(a));
}

void ScriptedModal::answerSaveFile(const QString &path, int filterIndex)
{
    Answer a(Kind::SaveFile);
    if (!path.isEmpty())
        a.paths << path;
    a.filterIndex = filterIndex;
    answers_.push_back(std::move(a));
}

void ScriptedModal::answerDirectory(const QString &path)
{
    Answer a(Kind::Directory);
    if (!path.isEmpty())
        a.paths << path;
    answers_.push_back(std::move(a));
}

void ScriptedModal::answerFont(std::optional<QFont> font)
{
    Answer a(Kind::Font);
    a.font = std::move(font);
    answers_.push_back(std::move(a));
}

void ScriptedModal::answerColor(std::optional<QColor> color)
{
    Answer a(Kind::Color);
    a.color = std::move(color);
    answers_.push_back(std::move(a));
}

void ScriptedModal::answerFontAndColor(std::optional<FontChoice> choice)
{
    Answer a(Kind::FontAndColor);
    a.fontChoice = std::move(choice);
    answers_.push_back(std::move(a));
}

void ScriptedModal::answerDialog(std::function<void(QDialog &)> handler)
{
    Answer a(Kind::Dialog);
    a.handler = std::move(handler);
    answers_.push_back(std::move(a));
}

std::vector<ScriptedModal::Shown> ScriptedModal::messages() const
{
    std::vector<Shown> result;
    for (const Shown &s : shown_)
        if (s.kind == Kind::Message)
            result.push_back(s);
    return result;
}

std::optional<ScriptedModal::Answer> ScriptedModal::next(Kind kind, const QString &what)
{
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << ": " << what.toStdString();
        return std::nullopt;
    }
    Answer a = std::move(answers_.front());
    answers_.pop_front();
    if (a.kind != kind) {
        ADD_FAILURE() << "expected a " << kindName(a.kind) << ", the program opened a " << kindName(kind)
                      << ": " << what.toStdString();
        return std::nullopt;
    }
    return a;
}

QMessageBox::StandardButton ScriptedModal::message(QWidget *, const MessageRequest &request)
{
    shown_.push_back({Kind::Message, request.icon, request.title, request.text, request.buttons, {}});
    const auto a = next(Kind::Message, request.text);
    if (!a)
        return request.buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
    return a->button;
}

QString ScriptedModal::openFileName(QWidget *, FileDialogRequest &request)
{
    shown_.push_back({Kind::OpenFile, QMessageBox::NoIcon, request.title, request.title, {}, request});
    const auto a = next(Kind::OpenFile, request.title);
    return a ? a->paths.value(0) : QString();
}

QStringList ScriptedModal::openFileNames(QWidget *, FileDialogRequest &request)
{
    shown_.push_back({Kind::OpenFiles, QMessageBox::NoIcon, request.title, request.title, {}, request});
    const auto a = next(Kind::OpenFiles, request.title);
    return a ? a->paths : QStringList();
}

QString ScriptedModal::saveFileName(QWidget *, FileDialogRequest &request)
{
    shown_.push_back({Kind::SaveFile, QMessageBox::NoIcon, request.title, request.title, {}, request});
    const auto a = next(Kind::SaveFile, request.title);
    if (!a)
        return QString();
    if (a->filterIndex >= 0)
        request.filterIndex = a->filterIndex;
    return a->paths.value(0);
}

QString ScriptedModal::existingDirectory(QWidget *, const QString &title, const QString &directory)
{
    FileDialogRequest request;
    request.title = title;
    request.directory = directory;
    shown_.push_back({Kind::Directory, QMessageBox::NoIcon, title, title, {}, request});
    const auto a = next(Kind::Directory, title);
    return a ? a->paths.value(0) : QString();
}

std::optional<QFont> ScriptedModal::font(QWidget *, const QFont &, const QString &title)
{
    shown_.push_back({Kind::Font, QMessageBox::NoIcon, title, title, {}, {}});
    const auto a = next(Kind::Font, title);
    return a ? a->font : std::nullopt;
}

std::optional<FontChoice> ScriptedModal::fontAndColor(QWidget *, const FontChoice &, const QString &title)
{
    shown_.push_back({Kind::FontAndColor, QMessageBox::NoIcon, title, title, {}, {}});
    const auto a = next(Kind::FontAndColor, title);
    return a ? a->fontChoice : std::nullopt;
}

std::optional<QColor> ScriptedModal::color(QWidget *, const QColor &, const QString &title)
{
    shown_.push_back({Kind::Color, QMessageBox::NoIcon, title, title, {}, {}});
    const auto a = next(Kind::Color, title);
    return a ? a->color : std::nullopt;
}

int ScriptedModal::exec(QDialog &dialog)
{
    shown_.push_back({Kind::Dialog, QMessageBox::NoIcon, dialog.windowTitle(), dialog.objectName(), {}, {}});
    const auto a = next(Kind::Dialog, dialog.objectName());
    if (!a)
        return QDialog::Rejected;
    dialog.setResult(QDialog::Rejected);
    a->handler(dialog);
    return dialog.result();
}

} // namespace ombre::test
