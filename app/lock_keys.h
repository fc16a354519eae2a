// The lock keys' states for the status bar's indicators. Qt does not report them, so
// they are learnt from typing: a letter typed in capitals without Shift means Caps
// Lock is on, a digit from the keypad means Num Lock is on. A state not yet seen
// counts as off; pressing a lock key flips a state already known. Kana and Scroll
// Lock leave no such trace in typing, so their indicators stay blank until the
// platform can tell.
#pragma once

class QKeyEvent;

namespace mireto {

class LockKeyStates {
public:
    void observe(const QKeyEvent& press);

    bool kana() const { return m_kana == State::On; }
    bool caps() const { return m_caps == State::On; }
    bool num() const { return m_num == State::On; }
    bool scroll() const { return m_scroll == State::On; }

private:
    enum class State { Unknown, Off, On };
    static void flip(State& state);

    State m_kana = State::Unknown;
    State m_caps = State::Unknown;
    State m_num = State::Unknown;
    State m_scroll = State::Unknown;
};

} // namespace mireto
