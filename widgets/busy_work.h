// Work that may take a while (reading or importing a large settings file) done away from
// the user-interface thread, so that the window keeps painting: past kShowAfterMs a
// progress window over `owner` says what is being done. Input to the program waits until
// the work ends, so nothing the work reads can change under it; the work must touch no
// widget and nothing the user-interface thread writes meanwhile.
#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

class QWidget;

namespace mireto {

inline constexpr int kShowAfterMs = 200;

// Runs `work` on a thread of its own and returns when it is done; what it throws is
// thrown here.
void runBusy(QWidget* owner, const QString& what, const std::function<void()>& work);

// The same for work that gives a result, which is returned.
template <typename Work> auto runBusy(QWidget* owner, const QString& what, Work work) {
    using Result = decltype(work());
    if constexpr (std::is_void_v<Result>) {
        runBusy(owner, what, std::function<void()>(std::move(work)));
    } else {
        std::optional<Result> result;
        runBusy(owner, what, std::function<void()>([&] { result.emplace(work()); }));
        return std::move(*result);
    }
}

} // namespace mireto
