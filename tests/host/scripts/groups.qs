// Number members in groups, and the library's group that scripts fill.
job\backup\refresh = 100
job\backup\refresh             //> 100
job\backup\refresh = job\backup\refresh + 1
job.backup.refresh             //> 101
help(job\backup)               //> $cyan$job.backup$n$
                               //>   refresh  $gray$number$n$ 101
settings\name = "quenda"
settings\name + "!"            //> quenda!
