/* The scaled payload's module holds resources only; this is its one symbol. */
int large_payload_module;
