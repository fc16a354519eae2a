// Appends bytes to a std::string through a pointer. The string's size runs a little
// ahead of what has been written, room being made a chunk at a time, so that most
// appends are a compare and a copy instead of a call into the library; settle() gives
// the string back its true size. Between settle() and the next append the string may
// be used as it is.
//
// What the string holds may also be taken away as the writing goes on (a page written
// out piece by piece): empty() starts the string afresh, and the writer's positions go
// on counting every byte written since attach().
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace mireto {

class ByteWriter {
public:
    // Short pieces are copied in one move of this size, from a source with that many
    // bytes to read.
    static constexpr std::size_t kShortPiece = 32;

    ByteWriter() = default;
    explicit ByteWriter(std::string& bytes) { attach(bytes); }
    ByteWriter(const ByteWriter&) = delete;
    ByteWriter& operator=(const ByteWriter&) = delete;

    // Writes after what `bytes` holds, counting afresh; the string must not change
    // behind the writer's back until settle().
    void attach(std::string& bytes) {
        m_string = &bytes;
        m_emptied = 0;
        resume();
    }
    // Writes on after what the string holds now, once it was settled and appended to
    // directly; the count of bytes written goes on.
    void resume() {
        m_begin = m_string->data();
        m_cursor = m_begin + m_string->size();
        m_end = m_cursor;
    }

    // Bytes written so far: the string's own, and those emptied out of it.
    std::size_t size() const { return m_emptied + held().size(); }
    // Forgets what was written after the first `bytes`, which must be no fewer than
    // those emptied out.
    void truncate(std::size_t bytes) { m_cursor = m_begin + (bytes - m_emptied); }

    // What the string holds: everything written since attach() or the last empty().
    std::string_view held() const {
        return {m_begin, static_cast<std::size_t>(m_cursor - m_begin)};
    }
    // Starts the string afresh once what it holds went elsewhere. Its room is kept, and
    // not cleared again, for what follows.
    void empty() {
        m_emptied += held().size();
        m_cursor = m_begin;
    }

    void append(std::string_view bytes) {
        commit(copy(room(bytes.size()), bytes.data(), bytes.size(), bytes.size()));
    }

    // A place for `bytes` more bytes plus kShortPiece to spare, valid until the next
    // call; commit() then says where the writing ended.
    char* room(std::size_t bytes) {
        if (bytes + kShortPiece > static_cast<std::size_t>(m_end - m_cursor))
            makeRoom(bytes + kShortPiece);
        return m_cursor;
    }
    void commit(char* end) { m_cursor = end; }

    // Copies `count` bytes from `from` to `to` (which has kShortPiece bytes to spare)
    // and returns the end. Short copies are a move or two in place, not a call: one of
    // kShortPiece bytes when `readable` (at least kShortPiece) bytes can be read at
    // `from`, else two that overlap.
    static char* copy(char* to, const char* from, std::size_t count, std::size_t readable) {
        if (count <= kShortPiece && readable >= kShortPiece)
            std::memcpy(to, from, kShortPiece);
        else if (count > 64)
            std::memcpy(to, from, count);
        else if (count >= 32)
            copyOverlapping<32>(to, from, count);
        else if (count >= 16)
            copyOverlapping<16>(to, from, count);
        else if (count >= 8)
            copyOverlapping<8>(to, from, count);
        else if (count >= 4)
            copyOverlapping<4>(to, from, count);
        else if (count > 0)
            copyOverlapping<1>(to, from, count);
        return to + count;
    }

    // Appends the first `count` bytes of `bytes` with one copy of all of them: with
    // `bytes` of a constant size, a piece of drawn length costs no branch on it.
    void appendFirst(std::string_view bytes, std::size_t count) {
        char* to = room(bytes.size());
        std::memcpy(to, bytes.data(), bytes.size());
        commit(to + count);
    }

    // Appends `bytes`, of which `readable` can be read from their start (see copy).
    void appendShort(std::string_view bytes, std::size_t readable) {
        commit(copy(room(bytes.size()), bytes.data(), bytes.size(), readable));
    }

    // The string with its true size.
    std::string& settle() {
        m_string->resize(held().size());
        resume();
        return *m_string;
    }

private:
    // `count` (Move to 2 * Move) bytes as a move of Move bytes at each end.
    template <std::size_t Move>
    static void copyOverlapping(char* to, const char* from, std::size_t count) {
        if constexpr (Move == 1) {
            to[0] = from[0];
            to[count / 2] = from[count / 2];
            to[count - 1] = from[count - 1];
        } else {
            std::memcpy(to, from, Move);
            std::memcpy(to + count - Move, from + count - Move, Move);
        }
    }

    void makeRoom(std::size_t bytes) {
        const std::size_t written = held().size();
        // A chunk in step with what is there already: the string's zeroing of the new
        // bytes stays small and in the cache, and a long page is not resized often.
        const std::size_t chunk = written < 256 ? 256 : written < 16384 ? written : 16384;
        m_string->resize(written + bytes + chunk);
        m_begin = m_string->data();
        m_cursor = m_begin + written;
        m_end = m_begin + m_string->size();
    }

    std::string* m_string = nullptr;
    char* m_begin = nullptr;
    char* m_cursor = nullptr;
    char* m_end = nullptr;
    std::size_t m_emptied = 0; // bytes written before the string's last empty()
};

} // namespace mireto
