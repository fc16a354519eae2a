// The page as a PNG picture of its whole length. The page is laid out in a hidden frame
// that may run no script (its document is read from here, for its height and
// background), written out as XHTML inside an SVG foreignObject, and drawn on a canvas:
// the browser's own rendering of the same markup, with nothing fetched from anywhere.

export const PNG_WIDTH = 800;
const MAX_HEIGHT = 32000;

export async function pageToPng(page: Uint8Array, width = PNG_WIDTH): Promise<Blob> {
    const frame = document.createElement("iframe");
    frame.setAttribute("sandbox", "allow-same-origin");
    frame.setAttribute("aria-hidden", "true");
    frame.tabIndex = -1;
    frame.style.cssText = `position:fixed;left:-${width + 100}px;top:0;width:${width}px;height:100px;border:0;visibility:hidden`;
    const url = URL.createObjectURL(new Blob([page as BlobPart], { type: "text/html;charset=Shift_JIS" }));
    try {
        const loaded = new Promise((resolve) => frame.addEventListener("load", resolve, { once: true }));
        frame.src = url;
        document.body.append(frame);
        await loaded;
        const doc = frame.contentDocument;
        if (!doc) throw new Error("ページを描けませんでした。");
        const height = Math.min(MAX_HEIGHT, Math.max(doc.documentElement.scrollHeight, doc.body?.scrollHeight ?? 0, 1));
        const view = doc.defaultView!;
        const transparent = (c: string) => c === "transparent" || /rgba\(.*,\s*0\)$/.test(c);
        const rootColour = view.getComputedStyle(doc.documentElement).backgroundColor;
        const bodyColour = doc.body ? view.getComputedStyle(doc.body).backgroundColor : "transparent";
        const background = !transparent(rootColour) ? rootColour : !transparent(bodyColour) ? bodyColour : "#ffffff";

        const markup = new XMLSerializer().serializeToString(doc.documentElement);
        const svg =
            `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}">` +
            `<foreignObject x="0" y="0" width="100%" height="100%">${markup}</foreignObject></svg>`;
        const image = new Image();
        image.width = width;
        image.height = height;
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
        URL.revokeObjectURL(url);
    }
}
