// A copy of the editor's unsaved text, so that a kill, a crash or a logout loses nothing
// typed. It is written in one step a few seconds after typing pauses, into the user's
// state folder ($XDG_STATE_HOME/mireto), never beside the document; the next start
// offers it back. It goes once the text is saved or the user lets it go.
//
// One copy per settings folder: only one editor runs on a settings folder at a time,
// so the copy is that editor's alone.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <optional>

namespace mireto {

class CMiretoDoc;
class CMiretoView;

class RecoveryCopy : public QObject {
    Q_OBJECT
public:
    // How long typing must pause before the copy is written.
    static constexpr int kTypingPauseMs = 3000;

    // What a copy holds.
    struct Contents {
        QString documentPath; // empty for a document never saved
        QString text;
        QDateTime written;
    };

    // The copy for the editor of `settingsFile`, in `folder`.
    RecoveryCopy(const QString& folder, const QString& settingsFile, QObject* parent = nullptr);

    // Follows the document and the view's text from now on.
    void follow(CMiretoDoc* document, CMiretoView* view);

    // The copy a previous run left; nothing when there is none that reads.
    std::optional<Contents> find() const;
    // Writes the copy now when the text has unsaved changes. True when nothing typed
    // would be lost by ending now: there are no such changes, or the copy holds them.
    bool writeNow();
    // Removes the copy: the text was saved, or the user let it go.
    void discard();

    QString filePath() const { return m_path; }

private:
    void OnTextChanged();

    QString m_path;
    QPointer<CMiretoDoc> m_document;
    QPointer<CMiretoView> m_view;
    QTimer m_typingPause;
};

} // namespace mireto
