// Values, operators and the way each kind is printed.
"C:\work\"                    //> C:\work\
42                            //> 42
-2147483648                   //> -2147483648
2147483647 + 1                //> -2147483648
7 / 2; 7 % 3; -7 / 2          //> 3
                              //> 1
                              //> -3
"count: " + 3                 //> count: 3
3 + " apples"                 //> 3 apples
1 < 2; "b" < "a"; 2 >= 2      //> 1
                              //> 0
                              //> 1
"abc" == "abc"; "abc" == "ABC"   //> 1
                                 //> 0
!0; !"" ; !"x"                //> 1
                              //> 1
                              //> 0
0 || 5; 0 && unknown_never_evaluated   //> 1
                                       //> 0
(1 + 2) * 3                   //> 9
print()                       //> 
print("a", 1, "b")            //> a 1 b
// Statements end at a newline or a semicolon; comments run to the end of the line.
text t = "x"; t = t + "y"; t  //> xy
int n = "12"; n + 1           //> 13
