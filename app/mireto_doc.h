// The document: which file the editor's text belongs to and how that file is written
// (encoding, line ends). The text itself lives in the view; the document reads and
// writes it through the view, as bytes on disk.
#pragma once

#include "app/disk_file_watch.h"
#include "app/document_codec.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <filesystem>

namespace mireto {

class CMiretoView;

class CMiretoDoc : public QObject {
    Q_OBJECT
public:
    // `spareFolder` takes a copy of a document that must be rewritten in place.
    explicit CMiretoDoc(std::filesystem::path spareFolder = {}, QObject* parent = nullptr);

    void AttachView(CMiretoView* view);

    // Empties the editor; the view's settings stay as they are.
    bool OnNewDocument();
    // The largest file the editor opens: far above any text a person writes, and below
    // what would make the window unusable.
    static constexpr std::size_t kMaxDocumentBytes = std::size_t{256} << 20;

    // Replaces the editor's text with the file's, and watches the file from then on for
    // changes by other programs; false, after a message, when the
    // file cannot be read, is no regular file (a folder, a device, a FIFO: they are
    // never opened for long) or is larger than kMaxDocumentBytes. Bytes that will not come back on
    // saving are warned about.
    bool OnOpenDocument(const QString& path);
    // A recovered text in place of the editor's: the document of `path` when it still
    // opens (for its encoding and line ends), else a new one; either way with unsaved
    // changes. A file that is no longer there keeps its name.
    void OnRecoverDocument(const QString& path, const QString& text);
    // Writes the editor's text to `path`; false when it was not written (the user
    // declined a lossy save, or writing failed and was reported).
    bool OnSaveDocument(const QString& path);

    // Save: to the document's file, or as a new one when it has none.
    bool DoFileSave();
    // Save as: asks for a name; false when cancelled or not written.
    bool DoSaveAs();
    // Before the text is discarded: asks whether to save changes. False means stop.
    bool SaveModified();

    QString GetPathName() const { return m_pathName; }
    // The file's name, or "無題" for a new document.
    QString GetTitle() const;
    const DocumentFormat& format() const { return m_format; }
    bool IsModified() const;

signals:
    // The title, the file or the format changed.
    void documentChanged();
    // A file was opened or saved under `path`, for the recent-file list.
    void fileUsed(const QString& path);
    // The user chose not to save the changes.
    void changesDiscarded();

private:
    QWidget* dialogParent() const;
    // Another program changed the file: read again when nothing here is unsaved, else
    // after asking.
    void OnChangedOnDisk();
    // Before writing over the file the editor read: when another program has changed it
    // since, asks. False means do not write.
    bool MayOverwrite(const QString& path);
    void setDocument(const QString& path, const DocumentFormat& format);

    std::filesystem::path m_spareFolder;
    QPointer<CMiretoView> m_view;
    QString m_pathName;
    DocumentFormat m_format;
    DiskFileWatch m_watch;
};

} // namespace mireto
