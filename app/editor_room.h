// Keeps the text the widest part of a small window. The text is what the user works
// on: when the window is too narrow for the panel, the text and the preview side by
// side, the preview gives way first, narrowing down to a usable width and then
// hiding behind its 表示 menu item. It comes back by itself once the window is wide
// enough again, unless the user hid it.
#pragma once

#include <QObject>
#include <QTimer>

class QDockWidget;
class QMainWindow;
class QWidget;

namespace mireto {

class EditorRoom : public QObject {
    Q_OBJECT
public:
    // The share of the window's width the text keeps at least, and the share it is
    // given when the preview must narrow.
    static constexpr double kMinimumShare = 0.4;
    static constexpr double kTargetShare = 0.45;
    // The narrowest preview worth showing, in pixels.
    static constexpr int kNarrowestPreview = 220;

    // Watches `window`'s size; `editor` is its central widget, `preview` a dock.
    EditorRoom(QMainWindow& window, QWidget& editor, QDockWidget& preview);

    // Whether the preview is hidden now because the window was too narrow.
    bool previewHiddenForRoom() const { return m_hiddenForRoom; }

    // Gives the text its room now (after the window's layout has settled).
    void makeRoom();
    // Gives it once the window's layout has settled: after the window changed the
    // docks' sizes itself.
    void makeRoomLater() { m_later.start(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMainWindow& m_window;
    QWidget& m_editor;
    QDockWidget& m_preview;
    QTimer m_later;
    bool m_hiddenForRoom = false;
    // Set while this class itself shows or hides the preview.
    bool m_changing = false;
};

} // namespace mireto
