int n = 3
n.name
//! error_member.qs, line 2, column 3: 'n' is a number, not an object or a group: it has no member 'name'
