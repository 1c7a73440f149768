// A routine's own error stops the script at the call.
file f("C:\work\notes.txt")
print("before")                //> before
f.rename()
print("not reached")
//! error_library.qs, line 4, column 3: The minimal argument count is 1!
