// Placeholder: the library's style sheet, cursors and throbber.
