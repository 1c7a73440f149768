// A short tour of quenda and zorvel. It needs nobody at the keyboard: it asks nothing, starts no
// program, and works in a folder of its own under TEMP (quenda-tour), which it empties again.
// Run it from the top of the repository:  ./quenda examples/tour.qs

print("$cyan$1. The language$n$")
text greeting = "hello"
int answer = 6 * 7
print(greeting + ", the answer is", answer)
"C:\texts\are\raw\"              // the value of a statement is printed: a backslash is a backslash

// A function takes its arguments with pop; args:count says how many there are.
main\describe(){
  if(args:count == 0){ return "nothing" }
  text all = pop
  if(args:count > 1){ all = all + " and " + pop }
  return all
}
print("describe:", describe, "/", describe("one"), "/", describe("one", "two"))

// Parameters can be named, and functions may call themselves.
fact(n){
  if(n <= 1){ return 1 }
  return n * fact(n - 1)
}
print("12! =", fact(12))

print("$cyan$2. The current directory$n$")
folder here = dir.get
print("here:", here, "- its name is", here.name, "- its parent is", here.up)

print("$cyan$3. A folder to work in$n$")
text temp = env.get("TEMP")
if(temp == ""){ temp = env.get("TMP") }
text place = temp + "\quenda-tour\"
// Copying a folder tree makes the destination folder: the examples become the tour's files.
folder examples(here + "examples\")
examples.copy(place)
folder work(place)
print("work folder:", work)
print("its files:", work.files)

print("$cyan$4. Files$n$")
file tour = work + "tour.qs"
print("name:", tour.name, "- extension:", tour.ext, "- folder:", tour.path)
tour.copy(place + "copy.qs")
file copied(place + "copy.qs")
copied.rename("renamed.qs")
print("after copy and rename:", work.files)
text remembered = copied            // an object into a text: its path
print("a text now holds", remembered)

print("$cyan$5. The environment and the clipboard$n$")
env.set("QUENDA_TOUR", "visited")
print("QUENDA_TOUR =", env.get("QUENDA_TOUR"))
clip.set("copied by the tour")
print("the clipboard holds:", clip.get)

print("$cyan$6. Launchers and jobs$n$")
link("notes", "notepad")            // defines main\notes; notes(f) would open f in notepad
webLink("home", "https://example.org/")
help                                // notes and home are among the functions now
job\tick\refresh = 1000             // standby would run main\tick about once a second
job\tick\action(){ print("tick") }
print("job tick: refresh", job\tick\refresh, "(standby runs it until Ctrl+Enter)")

print("$cyan$7. Tidying up$n$")
copied.rem
tour.rem
print("left in the work folder:", work.files)
print("$gray$The tour is over; docs/scripting.md describes every name.$n$")
