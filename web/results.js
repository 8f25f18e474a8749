// results
