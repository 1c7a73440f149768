// pop beyond the arguments: the error names the place in the function.
f(){
  print(pop)
  print(pop)
}
f("one")                       //> one
print("not reached")
//! error_pop.qs, line 4, column 9: pop: no argument left ('f' was given 1)
