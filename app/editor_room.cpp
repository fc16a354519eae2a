#include "app/editor_room.h"

#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace mireto {

EditorRoom::EditorRoom(QMainWindow& window, QWidget& editor, QDockWidget& preview)
    : QObject(&window), m_window(window), m_editor(editor), m_preview(preview) {
    // The docks take their sizes only once the window's layout has run.
    m_later.setSingleShot(true);
    m_later.setInterval(0);
    connect(&m_later, &QTimer::timeout, this, &EditorRoom::makeRoom);
    m_window.installEventFilter(this);
    // A user who hides the preview keeps it hidden, however wide the window gets.
    connect(m_preview.toggleViewAction(), &QAction::toggled, this, [this] {
        if (!m_changing)
            m_hiddenForRoom = false;
    });
}

bool EditorRoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        m_later.start();
    return QObject::eventFilter(watched, event);
}

void EditorRoom::makeRoom() {
    // A floating preview takes nothing from the window.
    if (m_preview.isFloating() || !m_window.isVisible())
        return;
    const int window = m_window.width();
    const int target = static_cast<int>(std::ceil(window * kTargetShare));
    const auto change = [this](bool shown) {
        m_changing = true;
        m_preview.setVisible(shown);
        m_changing = false;
    };
    if (m_hiddenForRoom) {
        // Back when the text would keep its share beside a usable preview.
        if (m_editor.width() - kNarrowestPreview < target)
            return;
        // As wide as on a first start, as far as the text's share allows; the dock
        // takes its size once the window has laid it out again.
        const int preview = std::min(window * 2 / 5, m_editor.width() - target);
        m_hiddenForRoom = false;
        change(true);
        QTimer::singleShot(0, this, [this, preview] {
            m_window.resizeDocks({&m_preview}, {preview}, Qt::Horizontal);
        });
        return;
    }
    if (m_preview.isHidden() || m_editor.width() >= std::ceil(window * kMinimumShare))
        return;
    const int narrower = m_preview.width() - (target - m_editor.width());
    if (narrower >= std::max(kNarrowestPreview, m_preview.minimumSizeHint().width())) {
        m_window.resizeDocks({&m_preview}, {narrower}, Qt::Horizontal);
        return;
    }
    m_hiddenForRoom = true;
    change(false);
}

} // namespace mireto
