// Functions at paths, arguments, pop, return and recursion.
main\greet(){
  if(args:count == 0){ print("hello, nobody") }
  else if(args:count == 1){ print("hello,", pop) }
  else {
    print("hello,", pop, "and", pop)
  }
}
greet                          //> hello, nobody
greet("ann")                   //> hello, ann
main\greet("ann", "bob")       //> hello, ann and bob

fact(n){
  if(n <= 1){ return 1 }
  return n * fact(n - 1)
}
fact(10)                       //> 3628800

// A group of functions, defined where it is needed.
tools\text\twice(s){ return s + s }
tools\text\twice("ab")         //> abab
tools.text.twice("cd")         //> cdcd

// Redefining replaces.
greet(){ print("replaced") }
greet("x")                     //> replaced
