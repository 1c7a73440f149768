// How a script is read: raw texts, numbers, operators and their precedence, statements.
"C:\work\" + "a\nb"            //> C:\work\a\nb
-2147483648 < - 5; 2147483647  //> 1
                               //> 2147483647
2147483647 + 1                 //> -2147483648
7 / 2; 7 % 3; -7 / 2           //> 3
                               //> 1
                               //> -3
3 + " apples"                  //> 3 apples
"b" < "a"; "abc" == "ABC"      //> 0
                               //> 0
!""; !"x"                      //> 1
                               //> 0
0 || 5; 0 && unknown_never_evaluated   //> 1
                                       //> 0
1 + 2 * 3 == 7 && !0 || 0      //> 1
int a = 3
a -1                           //> 2
20 / 2 / 5 // one slash divides, two begin a comment with "quotes and \ things
                               //> 2
1 <= 1; 2 != 2; 2 >= 3         //> 1
                               //> 0
                               //> 0
print(
  "a",
  "b"
)                              //> a b
print()                        //> 
;; ;
main\nothing(){}
nothing
if(a == 1){ print("one") }
else if(a == 3) print("three")
else { print("other"); print("twice") }
                               //> three
if(a == 1){ print("one") }
else if(a == 2) print("two")
else
if(a == 4){ print("four") }
else { print("other") }        //> other
if(a){ print("yes") } else { print("no") }
                               //> yes
file f("C:\work\notes.txt"); f.name  //> notes.txt
f.rename("x.txt", 2); f.name   //> x.txt
//--- Every syntax error names what it found and where, and nothing of its script runs.
print("not run")
print(1))                      //! syntax.qs, line 47, column 9
print(1)
}                              //! syntax.qs, line 49, column 1
a # b                          //! syntax.qs, line 50, column 3
x
  print("abc
  print("def")                 //! syntax.qs, line 52, column 9: unterminated text
print("runs nothing")
main\f(){
  if(1){
}
//! syntax.qs, line 59, column 1: expected '}' at end of input (the '{' at line 55, column 9 is not closed)
else { x }                     //! 'else' must follow
x =                            //! expected a value at end of line
1 + 2 = 3                      //! expected a name or a path before '='
f(1){ }                        //! plain name as a parameter
f(a, a){ }                     //! named twice
x + y { }                      //! '{' starts a function only
a b c                          //! expected the end of the statement at name 'c'
text if = 1                    //! variable name
x = 2147483648                 //! line 67, column 5: a number between -2147483648 and 2147483647
x = 2147483649                 //! line 68, column 5: number 2147483649 is out of range
x = 12ab                       //! invalid number '12ab'
