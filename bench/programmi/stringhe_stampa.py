for I in range(1, 30001):
    T = "Riga " + str(I) + ": il quadrato vale " + str(I * I)
    print(T + " (fine)")
