file(REMOVE_RECURSE
  "libwerkverbund_core.a"
)
