// How a script is read: raw texts, numbers, operators and their precedence, statements.
"C:\work\" + "a\nb"            //> C:\work\a\nb
-2147483648 < - 5; 2147483647  //> 1
                               //> 2147483647
1 + 2 * 3 == 7 && !0 || 0      //> 1
int a = 3
a -1                           //> 2
20 / 2 / 5 // one slash divides, two begin a comment with "quotes and \ things
                               //> 2
1 <= 1; 2 != 2; 3 > 2; 2 >= 3  //> 1
                               //> 0
                               //> 1
                               //> 0
print(
  "a",
  "b"
)                              //> a b
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
dir.get.name                   //> work
file f("C:\work\notes.txt"); f.name  //> notes.txt
f.rename("x.txt", 2); f.name   //> x.txt
//--- Every syntax error names what it found and where, and nothing of its script runs.
print("not run")
print(1))
//! syntax.qs, line 37, column 9
//---
print(1)
}
//! syntax.qs, line 41, column 1
//---
x = 1
  y = )
//! syntax.qs, line 45, column 7
//---
else { x }
//! 'else' must follow
//---
x =
//! expected a value at end of line
//---
1 + 2 = 3
//! expected a name or a path before '='
//---
f(1){ }
//! plain name as a parameter
//---
f(a, a){ }
//! named twice
//---
x + y { }
//! '{' starts a function only
//---
a b c
//! expected the end of the statement at name 'c'
//---
args
//! ':count'
//---
args:size
//! 'count'
//---
dir.
//! name after '.'
//---
if x { }
//! '(' after 'if'
//---
text if = 1
//! variable name
//---
x = 2147483648
//! 32-bit
//---
x = pop pop
//! end of the statement
//---
print(1, 2
//! at end of input
//---
x = 2147483649
//! syntax.qs, line 93, column 5: number 2147483649 is out of range
//---
x = 12ab
//! invalid number '12ab'
//---
a # b
//! syntax.qs, line 99, column 3
//---
x
  print("abc
  print("def")
//! syntax.qs, line 103, column 9: unterminated text
