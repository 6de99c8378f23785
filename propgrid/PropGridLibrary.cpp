// The property-grid library's own translation unit; its classes live in the files listed
// by Grid.cmake and Rows.cmake.
