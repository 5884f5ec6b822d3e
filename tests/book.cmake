# The client book: the library, and vesprin-book as a program.
if(TARGET vesprin_book)
  vesprin_test(book_test vesprin_book)
endif()
