// The page beside the text: the page's own bytes, shown from a Blob in a frame whose
// sandbox lets it run no script and gives it an origin of its own, so that markup in a
// stranger's text can neither run nor reach what this site stores. Links in it open in
// a new tab.

export const TYPING_PAUSE_MS = 300;

const BASE_TAG = new TextEncoder().encode('<base target="_blank">');

// The page with a <base target="_blank"> put at the start of its head, so that its links
// open in a new tab. '<' is never the second byte of a Shift_JIS character, so the search
// cannot land inside one.
export function withLinksInNewTabs(page: Uint8Array): Uint8Array {
    const text = new TextDecoder("latin1").decode(page.subarray(0, 4096)).toLowerCase();
    let at = text.indexOf("<head");
    at = at >= 0 ? text.indexOf(">", at) + 1 : 0;
    const out = new Uint8Array(page.length + BASE_TAG.length);
    out.set(page.subarray(0, at));
    out.set(BASE_TAG, at);
    out.set(page.subarray(at), at + BASE_TAG.length);
    return out;
}

export class Preview {
    private timer: ReturnType<typeof setTimeout> | undefined;
    private url = "";
    private loads = 0;
    // The bytes of the page shown now, as the downloads take them.
    page: Uint8Array | null = null;

    constructor(
        private readonly frame: HTMLIFrameElement,
        private readonly build: () => Uint8Array | null,
    ) {
        frame.addEventListener("load", () => {
            if (!frame.src) return;
            ++this.loads;
            document.body.dataset.pageLoads = String(this.loads);
            performance.mark("mireto-page-load");
        });
    }

    // Rebuilds the page once typing has paused.
    afterTyping(): void {
        clearTimeout(this.timer);
        this.timer = setTimeout(() => this.now(), TYPING_PAUSE_MS);
    }

    // Rebuilds the page at once.
    now(): void {
        clearTimeout(this.timer);
        performance.mark("mireto-page-build");
        const page = this.build();
        performance.mark("mireto-page-built");
        if (!page) return;
        this.page = page;
        const previous = this.url;
        this.url = URL.createObjectURL(new Blob([withLinksInNewTabs(page) as BlobPart], { type: "text/html;charset=Shift_JIS" }));
        this.frame.src = this.url;
        if (previous) setTimeout(() => URL.revokeObjectURL(previous), 1000);
    }
}
