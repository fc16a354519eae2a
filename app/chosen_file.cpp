#include "app/chosen_file.h"

#include "app/program_title.h"
#include "platform/atomic_file.h"
#include "widgets/message_box.h"
#include "widgets/write_failure.h"

namespace mireto {

FileChoice writeChosenFile(QWidget* parent, FileRequest request, FileChoice choice,
                           const BytesForFilter& bytesFor) {
    while (!choice.path.isEmpty()) {
        const FileWriteResult result =
            writeFileAtomically(choice.path.toStdString(), bytesFor(choice.filter));
        if (result.ok)
            return choice;
        const MessageAnswer again = showMessage(
            parent, {QStringLiteral("%1 を保存できません。\n%2\n\n別の場所に保存しますか？")
                         .arg(choice.path, writeFailureReason(choice.path, result)),
                     programTitle(), MessageIcon::Warning, MessageButtons::YesNo});
        if (again != MessageAnswer::Yes)
            return {};
        request.suggested = choice.path;
        request.filter = choice.filter;
        choice = askFile(parent, request);
    }
    return {};
}

} // namespace mireto
