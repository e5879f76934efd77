// Placeholder: the "box" plotter, a draggable, resizable box.
