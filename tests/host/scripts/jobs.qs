// standby runs the jobs the script defines, on their counts, until Ctrl+Enter.
//~ 7
int runs = 0
job\tick\refresh = 2
job\tick\action(){
  runs = runs + 1
  if(runs == 2){ job\tick\refresh = 0 }
}
job\idle\disabled = 1
job\idle\action(){ print("never") }
// refresh 2: runs in passes 3 and 6; the second run sets refresh to 0, so pass 7 runs too.
standby                        //> running "tick" ...
                               //> finished.
                               //> running "tick" ...
                               //> finished.
                               //> running "tick" ...
                               //> finished.
runs                           //> 3
//--- A failing action is reported with its place, and standby goes on.
//~ 2
job\tick\disabled = 1
job\bad\refresh = 0
job\bad\action(){ nosuch }
standby                        //> running "bad" ...
                               //> error: jobs.qs, line 23, column 19: unknown name 'nosuch' (help lists the names)
                               //> finished.
                               //> running "bad" ...
                               //> error: jobs.qs, line 23, column 19: unknown name 'nosuch' (help lists the names)
                               //> finished.
print("after")                 //> after
//--- What link and webLink define is a function of the script; their errors reach it.
webLink("news", "http://example.org/")
link("tools\edit", "C:\tools\a.exe")
help(tools)                    //> $cyan$tools$n$
                               //>   edit  $gray$function$n$
link("np")
//! jobs.qs, line 36, column 1: The minimal argument count is 2!
