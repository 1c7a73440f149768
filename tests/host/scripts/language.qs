// Variables keep their kind, functions at paths their own arguments (a new definition replaces
// the old); what cannot work is an error that names it and ends its run.
int n = 5
n = "7"; n                     //> 7
text t = 12; t                 //> 12
t = t + "!"; t                 //> 12!
int m; m                       //> 0
text e; e == ""                //> 1
g(who){ print("hello", who, args:count) }
g("you", "extra")              //> hello you 2
main\pair(){ print(pop, "and", pop, args:count) }
pair("ann", "bob")             //> ann and bob 2
fact(x){
  if(x <= 1){ return 1 }
  return x * fact(x - 1)
}
fact(10)                       //> 3628800
tools\text\twice(s){ return s + s }
tools\text\twice("ab"); tools.text.twice("cd")  //> abab
                                                //> cdcd
pair(){ print("replaced") }
pair("x")                      //> replaced
none(){ return }
none
int k = 1
bump(x){ x = x + 1; return x }
bump(k); k                     //> 2
                               //> 1
int total = 0
add(v){ total = total + v; scratch = v }
add(2); add(3); total          //> 5
scratch                        //! unknown name 'scratch'
n = "-2147483648"; n           //> -2147483648
n = "2147483648"               //! not a number
n = dir                        //! group
n.name                         //! language.qs, line 36, column 3: 'n' is a number, not an object or a group: it has no member 'name'
widget w("x")                  //! unknown type 'widget'
help dir                       //! write help(dir)
pop                            //! the script was given 0
two(a, b){ }

two(1)                         //! language.qs, line 42, column 1: 'two' takes 2 argument(s) (a, b) and was given 1
f(){
  print(pop)
  print(pop)
}
f("one")                       //> one
//! language.qs, line 45, column 9: pop: no argument left ('f' was given 1)
print("x").name                //> x
                               //! gave no value
file.name                      //! needs an object
file f("p")
f.nosuch                       //! a file object has no member 'nosuch'
dir.nosuch                     //! unknown name 'nosuch' in the group 'dir'
n(2)                           //! 'n' is a number and cannot be called
f.x = 1                        //! an object's members
x\y = 1
x = 5                          //! 'x' is a group and cannot be assigned to
x\z = x                        //! the group 'x' cannot be placed inside itself
n\y = 1                        //! 'n' is a number, not a group
run(){ }                       //! cannot be redefined
text file                      //! is a class of the library: choose
print = 1                      //! builtin
fn(){ }
fn = 1                         //! is a function
exit("soon")                   //! exit takes a number
help(3)                        //! has no members
//--- Endless recursion ends in an error, and the language goes on working.
down(d){ return down(d + 1) }
down(0)                        //! nest deeper than
//--- Deep expressions inside each call reach the evaluation bound before the call bound.
deep(d){ return deep(d + 1) + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 + 0 }
deep(0)                        //! nest deeper than
1 + 1                          //> 2
