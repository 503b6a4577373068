// The pictures d88info draws of the images, made readable: a zoom (fit the
// frame, or the picture's own size, or twice it), and a record's details
// shown beside the picture when its cell is tapped or clicked, or reached
// with the arrow keys on the picture.

export const zoomLevels = ["fit", "1", "2"];

// Sizes every picture in `frame` for `zoom`: "fit" the frame's width, or
// that many times the picture's own width.
export function applyZoom(frame, zoom) {
    for (const svg of frame.querySelectorAll("svg")) {
        const width = Number(svg.getAttribute("width"));
        svg.style.width = zoom === "fit" ? "100%" : width * Number(zoom) + "px";
        svg.style.maxWidth = zoom === "fit" ? "100%" : "none";
    }
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
