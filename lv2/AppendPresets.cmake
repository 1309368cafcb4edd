# Adds the presets' manifest lines to the bundle's manifest.ttl, which the
# plug-in's generator has just written anew. Turtle allows the fragment's
# own @prefix lines to repeat.
file(READ ${PRESETS} fragment)
file(APPEND ${MANIFEST} "\n${fragment}")
