K = 0; P = 0; D = 0
while K < 200000:
    K = K + 1
    if K % 3 == 0:
        P = P + K
    else:
        D = D - 1
print(P, D)
