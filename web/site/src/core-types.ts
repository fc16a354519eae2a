// The core's types, from the declarations of the core's JavaScript module.
export type {
    EndingSet,
    FormatSettings,
    ImportChoice,
    Mireto,
    Names,
    OverallTemplate,
    RecordKind,
    ReplacementRule,
    ReplacementSet,
    SaveOutcome,
    SetFile,
} from "../../core/mireto";
