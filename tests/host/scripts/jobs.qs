// standby runs the jobs the script defines, on their counts, until Ctrl+Enter; an action that
// sets its job's count changes the count standby holds.
//~ 4
int runs = 0
job\tick\refresh = 2
job\tick\action(){
  runs = runs + 1
  job\tick\refresh = 0
}
// refresh 2: runs in pass 3, which sets refresh to 0, so pass 4 runs too.
standby                        //> running "tick" ...
                               //> finished.
                               //> running "tick" ...
                               //> finished.
runs                           //> 2
//--- A failing action is reported with its place, and standby goes on.
//~ 2
job\tick\disabled = 1
job\bad\refresh = 0
job\bad\action(){ nosuch }
standby                        //> running "bad" ...
                               //> error: jobs.qs, line 20, column 19: unknown name 'nosuch' (help lists the names)
                               //> finished.
                               //> running "bad" ...
                               //> error: jobs.qs, line 20, column 19: unknown name 'nosuch' (help lists the names)
                               //> finished.
print("after")                 //> after
//--- What link and webLink define is a function of the script; their errors reach it.
webLink("news", "http://example.org/")
link("tools\edit", "C:\tools\a.exe")
help(tools)                    //> $cyan$tools$n$
                               //>   edit  $gray$function$n$
link("np")
//! jobs.qs, line 33, column 1: The minimal argument count is 2!
