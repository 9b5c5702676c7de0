tell application "Finder"
    activate
    reveal (POSIX file "/Users/ann/Docs/a\\b \"c\".txt" as alias)
end tell