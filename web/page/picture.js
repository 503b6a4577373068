// The pictures d88info draws of the images, made readable: a zoom (fit the
// frame, or the picture's own size, or twice it), one legend for all of them,
// and a record's details shown beside the picture when its cell is tapped or
// clicked, or reached with the arrow keys on the picture.

export const zoomLevels = ["fit", "1", "2"];

// The zoom a picture opens at: "fit" where the frame is as wide as the
// picture or wider (the picture whole, its text at its own size or larger),
// else its own size, the smallest at which its smallest text (8 px) stays
// readable, scrolling inside the frame.
export function defaultZoom(frame) {
    const svg = frame.querySelector("svg");
    if (!svg) {
        return "1";
    }
    return frame.clientWidth >= Number(svg.getAttribute("width")) ? "fit" : "1";
}

// Sizes every picture in `frame` for `zoom`: "fit" the frame's width, or
// that many times the picture's own width. A frame whose pictures are wider
// than it scrolls within a height of its own; else it holds them whole.
export function applyZoom(frame, zoom) {
    const svgs = [...frame.querySelectorAll("svg")];
    for (const svg of svgs) {
        const width = Number(svg.getAttribute("width"));
        svg.style.width = zoom === "fit" ? "100%" : width * Number(zoom) + "px";
        svg.style.maxWidth = zoom === "fit" ? "100%" : "none";
    }
    const wider = zoom !== "fit" && svgs.some((svg) => Number(svg.getAttribute("width")) * Number(zoom) >
                                                        frame.clientWidth);
    frame.classList.toggle("scrolls", wider);
}

// Takes the legend out of a picture drawn after the first one, whose legend
// stands for all: its disks move up into the legend's place.
export function dropLegend(svg) {
    const legend = svg.querySelector("g.legend");
    const disks = svg.querySelector("g.disks");
    if (!legend || !disks) {
        return;
    }
    const shift = Math.max(0, disks.getBBox().y - legend.getBBox().y);
    legend.remove();
    disks.setAttribute("transform", `translate(0 ${-shift})`);
    const [x, y, width, height] = svg.getAttribute("viewBox").split(/[\s,]+/).map(Number);
    svg.setAttribute("viewBox", `${x} ${y} ${width} ${height - shift}`);
    svg.setAttribute("height", String(Number(svg.getAttribute("height")) - shift));
}

// The cells of a picture that stand for records or tracks: those with a
// title, but for the legend's keys.
function cellsOf(frame) {
    return [...frame.querySelectorAll("svg rect")].filter((rect) =>
        rect.querySelector("title") !== null && !rect.classList.contains("key"));
}

const box = (cell) => ({x: Number(cell.getAttribute("x")), y: Number(cell.getAttribute("y")),
                        width: Number(cell.getAttribute("width"))});

// The cell to go to from `from` with an arrow key: the one before or after
// it in the picture, or the nearest one in the row above or below.
function neighbour(cells, from, key) {
    const index = cells.indexOf(from);
    if (key === "ArrowLeft" || key === "ArrowRight") {
        return cells[index + (key === "ArrowLeft" ? -1 : 1)] || from;
    }
    const here = box(from);
    const svg = from.ownerSVGElement;
    const down = key === "ArrowDown";
    let best = null;
    let bestRow = null;
    for (const cell of cells) {
        if (cell.ownerSVGElement !== svg) {
            continue;
        }
        const there = box(cell);
        if (down ? there.y <= here.y : there.y >= here.y) {
            continue;
        }
        const row = there.y;
        const distance = Math.abs(there.x + there.width / 2 - (here.x + here.width / 2));
        const nearerRow = bestRow === null || (down ? row < bestRow : row > bestRow);
        if (nearerRow || (row === bestRow && distance < best.distance)) {
            best = {cell, distance};
            bestRow = row;
        }
    }
    return best ? best.cell : from;
}

// Makes the pictures in `frame` answer taps, clicks and arrow keys by
// showing the chosen cell's record in `details`.
export function connectDetails(frame, details) {
    let picked = null;
    const pick = (cell) => {
        if (picked) {
            picked.classList.remove("picked");
        }
        picked = cell;
        cell.classList.add("picked");
        details.textContent = cell.querySelector("title").textContent;
        const frameBox = frame.getBoundingClientRect();
        const cellBox = cell.getBoundingClientRect();
        if (cellBox.left < frameBox.left || cellBox.right > frameBox.right ||
            cellBox.top < frameBox.top || cellBox.bottom > frameBox.bottom) {
            cell.scrollIntoView({block: "nearest", inline: "nearest"});
        }
    };
    frame.addEventListener("click", (event) => {
        const cell = event.target.closest && event.target.closest("rect");
        if (cell && cellsOf(frame).includes(cell)) {
            pick(cell);
        }
    });
    frame.addEventListener("keydown", (event) => {
        if (!["ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown"].includes(event.key)) {
            return;
        }
        const cells = cellsOf(frame);
        if (cells.length === 0) {
            return;
        }
        event.preventDefault();
        pick(picked && cells.includes(picked) ? neighbour(cells, picked, event.key) : cells[0]);
    });
    return {
        forget() {
            picked = null;
        },
    };
}
