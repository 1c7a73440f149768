print("runs nothing")
main\f(){
  if(1){
}
//! error_unbalanced.qs, line 6, column 1: expected '}' at end of input (the '{' at line 2, column 9 is not closed)
