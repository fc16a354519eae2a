// What the dialogs need of the application.
import type { Mireto } from "./core-types";

export interface App {
    // The session that the screen shows: the user's own, or a shared page's.
    readonly session: Mireto;
    // The user's own session, whose settings are stored, whatever the screen shows.
    readonly own: Mireto;
    // False while a shared page is shown: then nothing is stored.
    readonly canStore: boolean;
    // After any change through the session: store the settings (the user's own session
    // only), refill the lists and rebuild the page at once.
    changed(): Promise<void>;
}
