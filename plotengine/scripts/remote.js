// Placeholder: the proxy of pages served without the native one.
