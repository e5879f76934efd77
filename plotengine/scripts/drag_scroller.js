// Placeholder: scrolling by dragging in the data area.
