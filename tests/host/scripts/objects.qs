// file and folder objects of the library, driven by declarations and assignments.
file f("C:\work\notes.txt")
f                              //> C:\work\notes.txt
folder d = dir.get
d + "src\main.c"               //> C:\work\src\main.c
d.down("src").files            //> [C:\work\src\main.c, C:\work\src\lib\]
text t = f
t                              //> C:\work\notes.txt
f = "C:\work\renamed.txt"
f.name                         //> renamed.txt
t = d
t                              //> C:\work\
// A folder assigned to a file leaves the file as it was.
f = d
f                              //> C:\work\renamed.txt
