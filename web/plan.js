// plan
