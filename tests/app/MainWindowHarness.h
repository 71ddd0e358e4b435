#pragma once
// Drives the real main window in tests: scripted answers to message boxes and file dialogs.
#include "app/dialogs/MessageService.h"
#include "app/files/FileDialogs.h"
#include "app/mainform/MainForm.h"
#include "support/MainFormInternals.h"

#include <QString>

#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kalvo::test {

struct ShownMessage {
    QString text;
    int flags;
};

// Records every message box and answers from a queue (IDOK when the queue is empty).
class MessageRecorder {
public:
    MessageRecorder()
    {
        SetMessageHandler([this](const QString& text, int flags) {
            shown.push_back({text, flags});
            if (answers.empty())
                return IDOK;
            const int a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    ~MessageRecorder() { SetMessageHandler({}); }
    std::vector<ShownMessage> shown;
    std::deque<int> answers;
};

// File dialogs answered from queues: an empty name means the user cancelled.
class ScriptedDialogs : public TFileDialogs {
public:
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    int lastSaveFilterIndex = 0;
    QString lastProposedName;
    int saveDialogsShown = 0;

    std::optional<QString> OpenFile(QWidget*) override { return next(openAnswers); }
    std::optional<QString> SaveFile(QWidget*, int& filterIndex, const QString& proposedName,
                                    const std::function<void()>&) override
    {
        ++saveDialogsShown;
        lastSaveFilterIndex = filterIndex;
        lastProposedName = proposedName;
        return next(saveAnswers);
    }

    // The palette file dialogs: the folder each was opened in, answers from queues.
    std::deque<QString> paletteOpenAnswers;
    std::deque<QString> paletteSaveAnswers;
    QString lastPaletteFolder;
    std::optional<QString> OpenPaletteFile(QWidget*, const QString& folder) override
    {
        lastPaletteFolder = folder;
        return next(paletteOpenAnswers);
    }
    std::optional<QString> SavePaletteFile(QWidget*, const QString& folder) override
    {
        lastPaletteFolder = folder;
        return next(paletteSaveAnswers);
    }

private:
    static std::optional<QString> next(std::deque<QString>& answers)
    {
        if (answers.empty())
            return std::nullopt;
        const QString a = answers.front();
        answers.pop_front();
        if (a.isEmpty())
            return std::nullopt;
        return a;
    }
};

// A main window with scripted dialogs; `dialogs` stays owned by the window.
struct Harness {
    Harness()
    {
        auto d = std::make_unique<ScriptedDialogs>();
        dialogs = d.get();
        form.SetFileDialogs(std::move(d));
    }
    MessageRecorder messages;
    TKalvoMainForm form;
    ScriptedDialogs* dialogs = nullptr;
};

} // namespace kalvo::test
