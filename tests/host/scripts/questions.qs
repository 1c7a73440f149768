// The numbered listing asks for "id"; the answer picks an entry.
//? 2
dir.sel                        //> $cyan$ 1 $gray$-$n$ [..]
                               //> $cyan$ 2 $gray$-$n$ notes.txt
                               //> $cyan$ 3 $gray$-$n$ [src]
                               //> C:\work\notes.txt
