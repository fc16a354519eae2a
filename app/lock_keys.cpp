#include "app/lock_keys.h"

#include <QKeyEvent>

namespace mireto {

namespace {

bool isKeypadNavigation(int key) {
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
    case Qt::Key_Clear:
        return true;
    default:
        return false;
    }
}

} // namespace

void LockKeyStates::flip(State& state) {
    if (state != State::Unknown)
        state = state == State::On ? State::Off : State::On;
}

void LockKeyStates::observe(const QKeyEvent& press) {
    const int key = press.key();
    const Qt::KeyboardModifiers modifiers = press.modifiers();
    const QString text = press.text();
    switch (key) {
    case Qt::Key_CapsLock:
        flip(m_caps);
        return;
    case Qt::Key_NumLock:
        flip(m_num);
        return;
    case Qt::Key_ScrollLock:
        flip(m_scroll);
        return;
    case Qt::Key_Kana_Lock:
        flip(m_kana);
        return;
    default:
        break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z && text.size() == 1 && text.at(0).isLetter() &&
        !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const bool shifted = modifiers.testFlag(Qt::ShiftModifier);
        m_caps = text.at(0).isUpper() != shifted ? State::On : State::Off;
        return;
    }
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            m_num = State::On;
        else if (isKeypadNavigation(key))
            m_num = State::Off;
    }
}

} // namespace mireto
