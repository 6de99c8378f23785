// The shared library's own translation unit; its content comes from the static parts
// linked whole into it.
