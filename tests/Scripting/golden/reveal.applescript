tell application "Finder"
    set target of Finder window id -5 to (POSIX file "/Users/ann/first
second" as alias)
    set index of Finder window id -5 to 1
    select {(POSIX file "/Users/ann/Docs/a\\b \"c\".txt" as alias), (POSIX file "/Users/ann/Docs/日本語.txt" as alias)}
end tell