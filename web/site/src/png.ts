// The page as a PNG picture of its whole length. The page is laid out in a hidden frame
// that may run no script, 800 pixels wide; its elements are copied with the styles the
// browser computed for them (so that quirks-mode CSS, upper-case selectors and
// presentational attributes come out as laid out), put in an SVG foreignObject and
// drawn on a canvas. Nothing is fetched from anywhere.

export const PNG_WIDTH = 800;
const MAX_HEIGHT = 32000;
const XHTML = "http://www.w3.org/1999/xhtml";
const SKIPPED = new Set(["head", "script", "style", "title", "meta", "link", "noscript", "template", "base"]);
// Written on every element whatever their value, so that nothing is inherited from a
// parent where the page had it otherwise.
const INHERITED = ["color", "font-family", "font-size", "font-style", "font-weight", "line-height", "text-align",
    "white-space", "letter-spacing", "word-spacing", "text-indent", "text-transform", "visibility", "direction",
    "writing-mode", "list-style-type", "border-collapse", "border-spacing"];

function hiddenFrame(width: number): HTMLIFrameElement {
    const frame = document.createElement("iframe");
    // Same origin, so that its layout can be read from here; no scripts, ever.
    frame.setAttribute("sandbox", "allow-same-origin");
    frame.setAttribute("aria-hidden", "true");
    frame.tabIndex = -1;
    frame.style.cssText = `position:fixed;left:-${width + 100}px;top:0;width:${width}px;height:100px;border:0;visibility:hidden`;
    return frame;
}

async function load(frame: HTMLIFrameElement, url: string): Promise<Document> {
    const loaded = new Promise((resolve) => frame.addEventListener("load", resolve, { once: true }));
    frame.src = url;
    document.body.append(frame);
    await loaded;
    if (!frame.contentDocument) throw new Error("ページを描けませんでした。");
    return frame.contentDocument;
}

export async function pageToPng(page: Uint8Array, width = PNG_WIDTH): Promise<Blob> {
    const pageUrl = URL.createObjectURL(new Blob([page as BlobPart], { type: "text/html;charset=Shift_JIS" }));
    const blankUrl = URL.createObjectURL(new Blob(["<!DOCTYPE html><html><body></body></html>"], { type: "text/html" }));
    const frame = hiddenFrame(width);
    const blankFrame = hiddenFrame(width);
    try {
        const doc = await load(frame, pageUrl);
        const blank = await load(blankFrame, blankUrl);
        const view = doc.defaultView!;
        const height = Math.min(MAX_HEIGHT, Math.max(doc.documentElement.scrollHeight, doc.body?.scrollHeight ?? 0, 1));

        const defaults = new Map<string, CSSStyleDeclaration>();
        const defaultStyle = (tag: string) => {
            let style = defaults.get(tag);
            if (!style) {
                const element = blank.createElement(tag);
                blank.body.append(element);
                const computed = blank.defaultView!.getComputedStyle(element);
                const copy = document.createElement("div").style;
                for (const name of computed) copy.setProperty(name, computed.getPropertyValue(name));
                style = copy;
                defaults.set(tag, style);
                element.remove();
            }
            return style;
        };
        const copyOf = (source: Element, as = source.localName): Element => {
            const clone = document.createElementNS(XHTML, as);
            for (const attribute of source.attributes)
                if (!/^on/i.test(attribute.name) && attribute.name !== "style" && attribute.name !== "class")
                    clone.setAttribute(attribute.name, attribute.value);
            const computed = view.getComputedStyle(source);
            const base = defaultStyle(as);
            let style = "";
            for (const name of computed) {
                const value = computed.getPropertyValue(name);
                if (INHERITED.includes(name) || value !== base.getPropertyValue(name)) style += `${name}:${value};`;
            }
            clone.setAttribute("style", style);
            for (const child of source.childNodes) {
                if (child.nodeType === Node.TEXT_NODE) clone.append(child.textContent ?? "");
                else if (child.nodeType === Node.ELEMENT_NODE && !SKIPPED.has((child as Element).localName))
                    clone.append(copyOf(child as Element));
            }
            return clone;
        };

        // The page's background covers the whole picture, as it covers the frame.
        const transparent = (c: string) => c === "transparent" || /rgba\(.*,\s*0\)$/.test(c);
        const rootColour = view.getComputedStyle(doc.documentElement).backgroundColor;
        const bodyColour = doc.body ? view.getComputedStyle(doc.body).backgroundColor : "transparent";
        const background = !transparent(rootColour) ? rootColour : !transparent(bodyColour) ? bodyColour : "#ffffff";

        const body = doc.body ? copyOf(doc.body, "div") : document.createElementNS(XHTML, "div");
        const markup = new XMLSerializer().serializeToString(body);
        const svg =
            `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}">` +
            `<foreignObject x="0" y="0" width="100%" height="100%">${markup}</foreignObject></svg>`;
        const image = new Image();
        await new Promise((resolve, reject) => {
            image.onload = resolve;
            image.onerror = () => reject(new Error("ページを描けませんでした。"));
            image.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(svg)}`;
        });
        const canvas = document.createElement("canvas");
        canvas.width = width;
        canvas.height = height;
        const context = canvas.getContext("2d")!;
        context.fillStyle = background;
        context.fillRect(0, 0, width, height);
        context.drawImage(image, 0, 0);
        return await new Promise<Blob>((resolve, reject) =>
            canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error("PNGを作れませんでした。"))), "image/png"));
    } finally {
        frame.remove();
        blankFrame.remove();
        URL.revokeObjectURL(pageUrl);
        URL.revokeObjectURL(blankUrl);
    }
}
